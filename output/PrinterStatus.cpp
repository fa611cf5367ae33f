#include "output/PrinterStatus.h"

#include <QStringList>

namespace kestrix {

namespace {

struct BitText {
    UiTexts name;
    UiTexts remedy;  // empty when the printer can go on
};

// In bit order.
constexpr BitText kBits[8] = {
    {{"head open", "打印头打开"}, {"close the print head", "合上打印头"}},
    {{"paper jam", "卡纸"}, {"clear the jam", "排除卡纸"}},
    {{"out of paper", "缺纸"}, {"load paper", "装纸"}},
    {{"out of ribbon", "缺碳带"}, {"load a ribbon", "装碳带"}},
    {{"paused", "暂停"}, {"resume the printer", "恢复打印"}},
    {{"printing", "正在打印"}, {"", ""}},
    {{"cover open", "上盖打开"}, {"close the cover", "合上上盖"}},
    {{"temperature out of range", "温度异常"},
     {"let the print head reach its working temperature", "等待打印头温度恢复正常"}},
};

QString Join(quint8 state, UiLanguage language, bool remedies, const UiTexts& separator) {
    QStringList parts;
    for (int bit = 0; bit < 8; ++bit) {
        if (!(state & (1 << bit))) continue;
        const QString text = UiText(language, remedies ? kBits[bit].remedy : kBits[bit].name);
        if (!text.isEmpty()) parts << text;
    }
    return parts.join(UiText(language, separator));
}

}  // namespace

QString PrinterStateText(quint8 state, UiLanguage language) {
    if (state == 0) return UiText(language, "ready", "就绪");
    return Join(state, language, false, {", ", "、"});
}

QString PrinterStateRemedy(quint8 state, UiLanguage language) { return Join(state, language, true, {" and ", "并"}); }

QString PrinterStatusText(const PrinterStatus& status, UiLanguage language) {
    switch (status.kind) {
    case PrinterStatus::Kind::Answered: return PrinterStateText(status.state, language);
    case PrinterStatus::Kind::NotAnswering: return UiText(language, "not answering", "无应答");
    case PrinterStatus::Kind::Failed:
    case PrinterStatus::Kind::CannotAsk: break;
    }
    return UiText(language, "state unknown", "状态未知");
}

PrinterStatus StatusFromPortStatus(quint8 portStatus) {
    constexpr quint8 kPaperEmpty = 0x20, kSelected = 0x10, kNoError = 0x08;
    quint8 state = 0;
    if (portStatus & kPaperEmpty) state |= kOutOfPaper;
    if (!(portStatus & kSelected)) state |= kPaused;
    if (state == 0 && !(portStatus & kNoError))
        return PrinterStatus::Problem(PrinterStatus::Kind::Failed, QStringLiteral("the printer reports an error"));
    return PrinterStatus::Answer(state);
}

}  // namespace kestrix
