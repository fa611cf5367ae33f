#include "output/DirectPrintJob.h"

#include <algorithm>

#include "output/PrintJobMaker.h"
#include "output/PrinterAddress.h"

namespace kestrix {

PrintMessage PrinterNotConnectedMessage(UiLanguage language) {
    if (language == UiLanguage::Chinese)
        return ProductMessage(language, QStringLiteral("没有发现打印机，请检查打印机是否开机、USB是否接好！"));
    return ProductMessage(language, QStringLiteral("Printer not connected!"));
}

PrintMessage WriteFailedMessage(UiLanguage language) {
    if (language == UiLanguage::Chinese) return ProductMessage(language, QStringLiteral("向打印机发送数据失败。"));
    return ProductMessage(language, QStringLiteral("Failed to send data to the printer."));
}

PrintMessage PrinterStalledMessage(UiLanguage language, quint8 reported) {
    const quint8 trouble = reported & ~kPrinting;
    if (language == UiLanguage::Chinese) {
        if (trouble)
            return ProductMessage(language,
                                  QStringLiteral("%1——正在等待，请%2，或者取消。")
                                      .arg(PrinterStateText(trouble, language), PrinterStateRemedy(trouble, language)));
        return ProductMessage(language, QStringLiteral("打印机没有接收数据（是否缺纸或上盖没有合好？）"));
    }
    if (trouble) {
        QString state = PrinterStateText(trouble, language);
        state[0] = state[0].toUpper();
        return ProductMessage(
            language, QStringLiteral("%1 — waiting, %2 or Cancel").arg(state, PrinterStateRemedy(trouble, language)));
    }
    return ProductMessage(language, QStringLiteral("The printer is not taking data (out of paper or cover open?)"));
}

PrintMessage PrinterNotReadyMessage(UiLanguage language, quint8 state) {
    if (language == UiLanguage::Chinese)
        return ProductMessage(language,
                              QStringLiteral("打印机报告：%1。请先%2。\n\n仍然打印吗？")
                                  .arg(PrinterStateText(state, language), PrinterStateRemedy(state, language)));
    return ProductMessage(language, QStringLiteral("The printer reports %1: %2 first.\n\nPrint anyway?")
                                        .arg(PrinterStateText(state, language), PrinterStateRemedy(state, language)));
}

PrinterStatus AskPrinterStatus(const PrinterTarget& target) {
    QString error;
    std::optional<PrinterAddress> address = ParsePrinterAddress(target.device, &error);
    if (address && address->kind == PrinterAddress::Kind::Usb) {
        address->path = FindPrinterDevicePath(target.location);
        if (address->path.isEmpty()) error = PrinterNotConnectedMessage(UiLanguage::English).text;
    }
    if (!error.isEmpty()) return PrinterStatus::Problem(PrinterStatus::Kind::Failed, error);
    return AskPrinterStatus(*address);
}

PrintMessage PrintCancelledMessage(UiLanguage language, bool partSent) {
    if (language == UiLanguage::Chinese)
        return ProductMessage(
            language, partSent
                          ? QStringLiteral("打印已取消。打印机只收到了标签的一部分，请先关闭再打开打印机，然后再打印。")
                          : QStringLiteral("打印已取消。"));
    return ProductMessage(
        language, partSent
                      ? QStringLiteral("Printing cancelled. The printer has received only part of the label; switch it "
                                       "off and on before printing again.")
                      : QStringLiteral("Printing cancelled."));
}

PrintMessage PrinterUnreachableMessage(UiLanguage language, const QString& why) {
    if (language == UiLanguage::Chinese)
        return ProductMessage(language, QStringLiteral("无法使用打印机：\n%1").arg(why));
    return ProductMessage(language, QStringLiteral("The printer cannot be used:\n%1").arg(why));
}

PrintMessage LabelBusyMessage(UiLanguage language) {
    if (language == UiLanguage::Chinese)
        return ProductMessage(language, QStringLiteral("另一个程序正在打印这个标签的序列号。请等它打印完再试。"));
    return ProductMessage(
        language,
        QStringLiteral("Another program is printing this label's serial numbers. Try again when it has finished."));
}

PrintMessage NotPrintingYetMessage(UiLanguage language, const QString& where, const QStringList& notes) {
    if (language == UiLanguage::Chinese)
        return ProductMessage(language,
                              QStringLiteral("%1 已收到标签，但现在不会打印：\n\n%2").arg(where, notes.join(u'\n')));
    return ProductMessage(
        language, QStringLiteral("%1 has the labels but does not print them now:\n\n%2").arg(where, notes.join(u'\n')));
}

QString PrintedSoFarText(UiLanguage language, qint64 printed, qint64 jobs, const QString& next) {
    if (language == UiLanguage::Chinese)
        return QStringLiteral("已打印 %1 张标签（共 %2 张），下一个序号是 %3。").arg(printed).arg(jobs).arg(next);
    return QStringLiteral("%1 of %2 labels printed; the next number is %3.").arg(printed).arg(jobs).arg(next);
}

PrintStream RenderPrintStream(const DirectPrintInput& in, QString* error) {
    PrintJobMaker maker(in);
    return maker.Next(error);
}

DirectPrinter::DirectPrinter(UiLanguage language, const std::function<void(const PrintMessage&)>& show,
                             StallWatch* watch)
    : language_(language), show_(show), wait_(watch ? *watch : waitAsLongAsItStays_) {}

DirectPrintResult DirectPrinter::Unreachable(const QString& error) const {
    if (show_) show_(PrinterUnreachableMessage(language_, error));
    return {DirectPrintStatus::Unreachable, error};
}

DirectPrintResult DirectPrinter::Open(const PrinterTarget& target, QStringList& batchQueue) {
    QString error;
    std::optional<PrinterAddress> address = ParsePrinterAddress(target.device, &error);
    if (!address) return Unreachable(error);
    if (address->kind == PrinterAddress::Kind::Usb) {
        address->path = FindPrinterDevicePath(target.location);
        if (address->path.isEmpty()) {
            batchQueue.clear();
            if (show_) show_(PrinterNotConnectedMessage(language_));
            return {DirectPrintStatus::NoPrinter, PrinterNotConnectedMessage(UiLanguage::English).text};
        }
    }
    cups_ = address->kind == PrinterAddress::Kind::Cups;
    bool opened = false;
    // A network printer or the CUPS scheduler may take seconds to answer; the
    // run's give-up time, when it has one, is how long the scheduler may be silent.
    wait_.Run([&] { opened = device_.Open(*address, &error, wait_.AnswerWaitMs(PrinterTransport::kAnswerWaitMs)); });
    if (opened) return {};
    const bool usb = address->kind == PrinterAddress::Kind::Usb || address->kind == PrinterAddress::Kind::Path;
    return usb ? DirectPrintResult{DirectPrintStatus::OpenFailed, error} : Unreachable(error);
}

DirectPrintResult DirectPrinter::Send(const DirectPrintInput& in) {
    // Each copy is made here and only its sending runs under the watch: the
    // editor sends on a worker thread while its window paints from the label.
    PrintJobMaker maker(in);
    QString error;
    StallWatch::Outcome sent = StallWatch::Outcome::Sent;
    const qint64 jobs = maker.Jobs();
    sent_.Begin(in.doc, &in.codes, jobs);
    const auto ended = [&](DirectPrintResult result) {
        Settle();
        result.printed = sent_.Labels().back().printed;
        result.jobs = jobs;
        return result;
    };
    for (qint64 job = 0; job < jobs && sent == StallWatch::Outcome::Sent; ++job) {
        const bool stopped = (in.stop && *in.stop) || (job > 0 && in.goOn && !in.goOn());
        if (stopped) {
            DirectPrintResult result = ended(Ended(sent, error));
            result.stopped = true;
            return result;
        }
        const PrintStream& stream = maker.Next(&error);
        if (stream.body.isEmpty()) return ended({DirectPrintStatus::RenderFailed, error});
        wait_.Run([&] {
            sent = device_.Write(stream.header, wait_, &error);
            if (sent == StallWatch::Outcome::Sent) sent = device_.Write(stream.body, wait_, &error);
        });
        if (sent != StallWatch::Outcome::Sent) {
            cutShort_ = true;
            break;
        }
        written_ += stream.header.size() + stream.body.size();
        sent_.Sent(written_);
        if (in.progress) in.progress(job + 1, jobs);
    }
    DirectPrintResult result = ended(Ended(sent, error));
    // A label the printer stopped taking, given up at a stop.
    result.stopped = sent == StallWatch::Outcome::Cancelled && in.stop && *in.stop;
    return result;
}

void DirectPrinter::Settle() {
    // A CUPS job counts only once the scheduler has it whole; a network
    // printer once it has acknowledged the bytes.
    if (device_.IsOpen() && !device_.TakesJobWhole()) accepted_ = std::max(accepted_, written_ - device_.Unconfirmed());
    sent_.Settle(accepted_);
}

DirectPrintResult DirectPrinter::Finish() {
    QString error;
    StallWatch::Outcome outcome = StallWatch::Outcome::Sent;
    // A job cut short is dropped where the transport can drop it, never completed.
    if (!cutShort_) wait_.Run([&] { outcome = device_.Finish(wait_, &error); });
    if (!cutShort_ && outcome == StallWatch::Outcome::Sent) accepted_ = written_;
    Settle();
    const QString warning = device_.Warning();
    const bool whole = device_.TakesJobWhole();
    device_.Close();
    // A CUPS job that failed may still print the part the scheduler kept. Its
    // size is known to a kilobyte: a label ending within that kilobyte counts
    // as printed, so its number never comes again, and the user is told to
    // look for it.
    qint64 unsure = 0;
    if (whole && accepted_ < written_) {
        const PrinterTransport::KeptPart kept = device_.PartKept();
        sent_.Settle(std::max(accepted_, kept.surely));
        unsure = -sent_.Printed();
        accepted_ = std::max(accepted_, kept.atMost);
        sent_.Settle(accepted_);
        unsure += sent_.Printed();
    }
    DirectPrintResult result = cutShort_ ? DirectPrintResult{} : Ended(outcome, error);
    if (result.status == DirectPrintStatus::Printed) result.warning = warning;
    if (unsure > 0) result.warning = UnsureLabelsNote(unsure);
    result.printed = sent_.Printed();
    for (const SentLabels::Label& label : sent_.Labels()) result.jobs += label.jobs;
    return result;
}

QString UnsureLabelsNote(qint64 labels) {
    return QStringLiteral(
               "the scheduler tells what it received to a kilobyte: the last %1 counted as printed "
               "may be missing; look for %2 on the printer")
        .arg(labels == 1 ? QStringLiteral("label") : QStringLiteral("%1 labels").arg(labels))
        .arg(labels == 1 ? QStringLiteral("it") : QStringLiteral("them"));
}

DirectPrintResult DirectPrinter::Ended(StallWatch::Outcome outcome, const QString& error) const {
    switch (outcome) {
    case StallWatch::Outcome::Sent: return {DirectPrintStatus::Printed, {}};
    case StallWatch::Outcome::Cancelled:
        if (show_) show_(PrintCancelledMessage(language_, !cups_));
        return {DirectPrintStatus::Cancelled, error};
    case StallWatch::Outcome::GaveUp:
    case StallWatch::Outcome::Failed: break;
    }
    if (show_) show_(WriteFailedMessage(language_));
    return {outcome == StallWatch::Outcome::GaveUp ? DirectPrintStatus::GaveUp : DirectPrintStatus::WriteFailed, error};
}

DirectPrintResult DirectPrintLabel(const DirectPrintInput& in, QStringList& batchQueue, UiLanguage language,
                                   const std::function<void(const PrintMessage&)>& show, const PrinterTarget& target,
                                   StallWatch* watch) {
    DirectPrinter printer(language, show, watch);
    DirectPrintResult result = printer.Open(target, batchQueue);
    if (result.status != DirectPrintStatus::Printed) return result;
    result = printer.Send(in);
    // Also after a failure: a CUPS job is withdrawn, and the numbers settle on what the printer has.
    const DirectPrintResult finished = printer.Finish();
    const bool stopped = result.stopped;
    if (result.status == DirectPrintStatus::Printed) result = finished;
    result.stopped = stopped;
    result.warning = finished.warning;
    result.printed = finished.printed;
    result.jobs = finished.jobs;
    return result;
}

}  // namespace kestrix
