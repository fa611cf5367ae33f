// What the user reads of a printer's state, in both languages, and the state
// a USB printer gives in its port status while a job holds it.

#include <gtest/gtest.h>

#include "output/DirectPrintJob.h"
#include "output/PrinterStatus.h"

namespace kestrix {
namespace {

TEST(PrinterStatus, StallAndNotReadyMessagesNameTheStateAndWhatToDo) {
    struct Case {
        quint8 state;
        UiLanguage language;
        const char16_t* stalled;
        const char16_t* notReady;  // empty: the state does not stop a job
    };
    const Case cases[] = {
        {kOutOfPaper | kCoverOpen | kPrinting, UiLanguage::English,
         u"Out of paper, cover open — waiting, load paper and close the cover or Cancel",
         u"The printer reports out of paper, printing, cover open: load paper and close the cover first.\n\n"
         u"Print anyway?"},
        {kHeadOpen | kOutOfRibbon, UiLanguage::Chinese,
         u"打印头打开、缺碳带——正在等待，请合上打印头并装碳带，或者取消。",
         u"打印机报告：打印头打开、缺碳带。请先合上打印头并装碳带。\n\n仍然打印吗？"},
        {kPaused | kTemperatureOutOfRange, UiLanguage::English,
         u"Paused, temperature out of range — waiting, resume the printer and let the print head reach its working "
         u"temperature or Cancel",
         u""},
        {0, UiLanguage::Chinese, u"打印机没有接收数据（是否缺纸或上盖没有合好？）", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        EXPECT_EQ(PrinterStalledMessage(c.language, c.state).text, QString::fromUtf16(c.stalled));
        EXPECT_EQ(PrinterStatus::Answer(c.state).StopsJob(), *c.notReady != 0);
        if (*c.notReady) {
            EXPECT_EQ(PrinterNotReadyMessage(c.language, c.state).text, QString::fromUtf16(c.notReady));
        }
    }
    const QString listed[] = {
        PrinterStatusText(PrinterStatus::Answer(0), UiLanguage::Chinese),
        PrinterStatusText(PrinterStatus::Problem(PrinterStatus::Kind::NotAnswering, {}), UiLanguage::English),
        PrinterStatusText(PrinterStatus::Problem(PrinterStatus::Kind::Failed, {}), UiLanguage::Chinese)};
    EXPECT_EQ(QStringList(std::begin(listed), std::end(listed)),
              QStringList({QStringLiteral("就绪"), "not answering", QStringLiteral("状态未知")}));
}

// Paper empty 0x20, selected 0x10, no error 0x08.
TEST(PrinterStatus, PortStatusOfAPrinterBusyWithAJob) {
    const std::pair<quint8, PrinterStatus> cases[] = {
        {0x18, PrinterStatus::Answer(0)},
        {0x38, PrinterStatus::Answer(kOutOfPaper)},
        {0x30, PrinterStatus::Answer(kOutOfPaper)},
        {0x08, PrinterStatus::Answer(kPaused)},
        {0x10, PrinterStatus::Problem(PrinterStatus::Kind::Failed, "the printer reports an error")},
    };
    for (const auto& [port, status] : cases) EXPECT_EQ(StatusFromPortStatus(port), status) << int(port);
}

}  // namespace
}  // namespace kestrix
