#include "output/DirectPrintJob.h"

#include "output/PrintJobMaker.h"
#include "output/PrinterDevice.h"

namespace kestrix {

PrintMessage PrinterNotConnectedMessage(int chinese) {
    if (chinese)
        return {QStringLiteral("没有发现打印机，请检查打印机是否开机、USB是否接好！"), QStringLiteral("打印标签")};
    return {QStringLiteral("Printer not connected!"), QStringLiteral("Vantic")};
}

PrintMessage WriteFailedMessage(int chinese) {
    if (chinese) return {QStringLiteral("向打印机发送数据失败。"), QStringLiteral("打印标签")};
    return {QStringLiteral("Failed to send data to the printer."), QStringLiteral("Vantic")};
}

PrintStream RenderPrintStream(const DirectPrintInput& in, QString* error) {
    PrintJobMaker maker(in);
    return maker.Next(error);
}

DirectPrintResult DirectPrintLabel(const DirectPrintInput& in, QStringList& batchQueue, int chinese,
                                   const std::function<void(const PrintMessage&)>& show,
                                   const PrinterTarget& target) {
    const QString path = target.device.isEmpty() ? FindPrinterDevicePath(target.location) : target.device;
    if (path.isEmpty()) {
        batchQueue.clear();
        const PrintMessage message = PrinterNotConnectedMessage(chinese);
        if (show) show(message);
        return {DirectPrintStatus::NoPrinter, PrinterNotConnectedMessage(0).text};
    }
    PrinterDevice device;
    QString error;
    if (!device.Open(path, &error)) return {DirectPrintStatus::OpenFailed, error};
    PrintJobMaker maker(in);
    const SentJobs sent = SendPrintJobs(
        maker, in.copies, [&device](QByteArrayView bytes, QString* error) { return device.Write(bytes, error); });
    if (sent.writeFailed) {
        if (show) show(WriteFailedMessage(chinese));
        return {DirectPrintStatus::WriteFailed, sent.error, sent.rendered};
    }
    if (!sent.error.isEmpty()) return {DirectPrintStatus::RenderFailed, sent.error, sent.rendered};
    return {DirectPrintStatus::Printed, {}, sent.rendered};
}

}  // namespace kestrix
