#include "output/PrinterDevice.h"

#include <QStringList>

#include <sys/stat.h>

#include "output/CupsRawJob.h"
#include "output/FilePrinter.h"
#include "output/PrinterAddress.h"
#include "output/PrinterLocation.h"
#include "output/RawUsbPrinter.h"
#include "output/SocketPrinter.h"
#include "output/UsblpPrinter.h"

namespace kestrix {

namespace {

// "usb:BUS:ADDRESS": a printer without a usblp node.
std::unique_ptr<PrinterTransport> RawUsbTransport(const QString& path, QString* error) {
    const QString rawPrefix = QString::fromLatin1(kRawUsbPrefix);
    const QStringList parts = path.mid(rawPrefix.size()).split(u':');
    bool busOk = false, addressOk = false;
    const int bus = parts.value(0).toInt(&busOk);
    const int address = parts.value(1).toInt(&addressOk);
    if (parts.size() == 2 && busOk && addressOk) return std::make_unique<RawUsbPrinter>(bus, address);
    if (error) *error = QStringLiteral("not a USB address");
    return nullptr;
}

}  // namespace

std::unique_ptr<PrinterTransport> MakePrinterTransport(const PrinterAddress& address, QString* error,
                                                       int answerWaitMs) {
    switch (address.kind) {
    case PrinterAddress::Kind::Socket: return std::make_unique<SocketPrinter>(address.host, address.port);
    case PrinterAddress::Kind::Cups: return std::make_unique<CupsRawJob>(address.queue, answerWaitMs);
    case PrinterAddress::Kind::Usb:
    case PrinterAddress::Kind::Path: break;
    }
    if (address.path.startsWith(QString::fromLatin1(kRawUsbPrefix))) return RawUsbTransport(address.path, error);
    struct stat node {};
    if (::stat(address.path.toLocal8Bit().constData(), &node) == 0 && S_ISCHR(node.st_mode))
        return std::make_unique<UsblpPrinter>(address.path);
    return std::make_unique<FilePrinter>(address.path);
}

PrinterStatus AskPrinterStatus(const PrinterAddress& address) {
    const QString name = address.kind == PrinterAddress::Kind::Usb ? address.path : address.Text();
    QString why;
    const std::unique_ptr<PrinterTransport> transport = MakePrinterTransport(address, &why);
    PrinterStatus status =
        transport ? transport->AskStatus()->Wait() : PrinterStatus::Problem(PrinterStatus::Kind::Failed, why);
    if (!status.error.isEmpty()) status.error = name + QStringLiteral(": ") + status.error;
    return status;
}

void PrinterDevice::Name(QString* error) const {
    if (error) *error = name_ + QStringLiteral(": ") + *error;
}

bool PrinterDevice::Open(const QString& path, QString* error) {
    PrinterAddress address;
    address.kind = PrinterAddress::Kind::Path;
    address.path = path;
    return Open(address, error);
}

bool PrinterDevice::Open(const PrinterAddress& address, QString* error, int answerWaitMs) {
    Close();
    partKept_ = {};
    name_ = address.kind == PrinterAddress::Kind::Usb ? address.path : address.Text();
    QString why;
    transport_ = MakePrinterTransport(address, &why, answerWaitMs);
    if (transport_ && !transport_->Open(&why)) transport_.reset();
    if (!transport_ && error) *error = name_ + QStringLiteral(": ") + why;
    return transport_ != nullptr;
}

std::unique_ptr<StatusQuery> PrinterDevice::AskStatus() {
    if (transport_) return transport_->AskStatus();
    return StatusQuery::Known(
        PrinterStatus::Problem(PrinterStatus::Kind::Failed, QStringLiteral("the printer is not open")));
}

StallWatch::Outcome PrinterDevice::Write(QByteArrayView data, StallWatch& watch, QString* error) {
    const auto step = [this](QByteArrayView rest, int waitMs, QString* why) -> qint64 {
        if (!transport_) {
            if (why) *why = QStringLiteral("the printer is not open");
            return -1;
        }
        const qint64 taken = transport_->Write(rest, waitMs, why);
        if (taken < 0) Name(why);
        return taken;
    };
    return watch.Send(data, step, error, [this] { return AskStatus(); });
}

StallWatch::Outcome PrinterDevice::Finish(StallWatch& watch, QString* error) {
    if (!transport_) return StallWatch::Outcome::Sent;
    const auto confirm = [this](int waitMs, QString* why) {
        const qint64 confirmed = transport_->Confirm(waitMs, why);
        if (confirmed < 0) Name(why);
        return confirmed;
    };
    const StallWatch::Outcome outcome =
        watch.AwaitConfirmation(transport_->Unconfirmed(), confirm, error, [this] { return AskStatus(); });
    if (outcome != StallWatch::Outcome::Sent || transport_->Finish(error)) return outcome;
    Name(error);
    return StallWatch::Outcome::Failed;
}

void PrinterDevice::Close() {
    if (transport_) {
        transport_->Close();
        partKept_ = transport_->PartKept();
    }
    transport_.reset();
}

}  // namespace kestrix
