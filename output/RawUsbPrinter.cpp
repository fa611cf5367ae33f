#include "output/RawUsbPrinter.h"

#include <libusb.h>

#include <QDeadlineTimer>
#include <algorithm>
#include <string>

namespace kestrix {

namespace {

// Where the printer's pipes are: the printer-class interface, its bulk OUT
// endpoint and, on a printer that answers, its bulk IN endpoint (0 when none).
bool FindPrinterEndpoints(libusb_device* device, int& interfaceNumber, unsigned char& out, unsigned char& in) {
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS) return false;
    for (int i = 0; i < config->bNumInterfaces && !out; ++i) {
        const libusb_interface& itf = config->interface[i];
        if (itf.num_altsetting < 1 || itf.altsetting[0].bInterfaceClass != LIBUSB_CLASS_PRINTER) continue;
        const libusb_interface_descriptor& alt = itf.altsetting[0];
        in = 0;
        for (int k = 0; k < alt.bNumEndpoints; ++k) {
            const libusb_endpoint_descriptor& ep = alt.endpoint[k];
            if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_BULK) continue;
            const bool isIn = (ep.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN;
            (isIn ? in : out) = ep.bEndpointAddress;
        }
        if (out) interfaceNumber = alt.bInterfaceNumber;
    }
    libusb_free_config_descriptor(config);
    return out != 0;
}

QString UsbErrorText(int code) {
    switch (code) {
    case LIBUSB_ERROR_ACCESS: return QStringLiteral("permission denied (install the udev rule and join group lp)");
    case LIBUSB_ERROR_BUSY: return QStringLiteral("printer busy");
    case LIBUSB_ERROR_NO_DEVICE:
    case LIBUSB_ERROR_NOT_FOUND: return QStringLiteral("printer disconnected");
    default: return QString::fromUtf8(libusb_strerror(code));
    }
}

}  // namespace

bool RawUsbPrinter::Fail(int code, QString* error) {
    if (error) *error = UsbErrorText(code);
    Close();
    return false;
}

bool RawUsbPrinter::Open(QString* error) {
    Close();
    int rc = libusb_init(&context_);
    if (rc != LIBUSB_SUCCESS) {
        context_ = nullptr;
        return Fail(rc, error);
    }
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(context_, &list);
    if (count < 0) return Fail(static_cast<int>(count), error);
    libusb_device* device = nullptr;
    for (ssize_t i = 0; i < count && !device; ++i)
        if (libusb_get_bus_number(list[i]) == bus_ && libusb_get_device_address(list[i]) == address_) device = list[i];
    rc = !device                                                     ? LIBUSB_ERROR_NO_DEVICE
         : !FindPrinterEndpoints(device, interface_, endpoint_, in_) ? LIBUSB_ERROR_NOT_FOUND
                                                                     : libusb_open(device, &handle_);
    libusb_free_device_list(list, 1);
    if (rc != LIBUSB_SUCCESS) {
        handle_ = nullptr;
        return Fail(rc, error);
    }
    if (libusb_kernel_driver_active(handle_, interface_) == 1) {
        rc = libusb_detach_kernel_driver(handle_, interface_);
        if (rc != LIBUSB_SUCCESS) return Fail(rc, error);
        reattach_ = true;
    }
    rc = libusb_claim_interface(handle_, interface_);
    if (rc != LIBUSB_SUCCESS) return Fail(rc, error);
    claimed_ = true;
    return true;
}

qint64 RawUsbPrinter::Write(QByteArrayView data, int waitMs, QString* error) {
    if (!handle_) {
        if (error) *error = QStringLiteral("the printer is not open");
        return -1;
    }
    constexpr qsizetype kChunk = 64 * 1024;
    const int length = static_cast<int>(std::min(kChunk, data.size()));
    int sent = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(const_cast<char*>(data.data()));
    const int rc = libusb_bulk_transfer(handle_, endpoint_, bytes, length, &sent, waitMs);
    // A timeout is no failure: the bytes that went out before it count.
    if (rc == LIBUSB_SUCCESS || rc == LIBUSB_ERROR_TIMEOUT) return sent;
    if (error) *error = UsbErrorText(rc);
    return -1;
}

std::unique_ptr<StatusQuery> RawUsbPrinter::AskStatus() {
    const auto known = [](PrinterStatus::Kind kind, const QString& why) {
        return StatusQuery::Known(PrinterStatus::Problem(kind, why));
    };
    // During a job: the class request GET_PORT_STATUS on the control pipe, apart from the job's.
    constexpr uint8_t kGetPortStatus = 1;
    constexpr uint8_t kClassRequestIn = 0xA1;  // device to host, class request, to the interface
    constexpr unsigned kControlTimeoutMs = 1000;
    if (handle_) {
        unsigned char portStatus = 0;
        const int rc = libusb_control_transfer(handle_, kClassRequestIn, kGetPortStatus, 0,
                                               static_cast<uint16_t>(interface_), &portStatus, 1, kControlTimeoutMs);
        if (rc == 1) return StatusQuery::Known(StatusFromPortStatus(portStatus));
        return known(PrinterStatus::Kind::CannotAsk, QStringLiteral("the printer gives no state during a job"));
    }
    // No job: the status query on the bulk pipes, the answer within the time an answer may take.
    QString why;
    if (!Open(&why)) return known(PrinterStatus::Kind::Failed, why);
    if (!in_) {
        Close();
        return known(PrinterStatus::Kind::CannotAsk, QStringLiteral("the printer has no way to answer"));
    }
    const QDeadlineTimer deadline(StatusQuery::kAnswerWithinMs);
    std::string query(kStatusQuery);
    int sent = 0;
    int rc =
        libusb_bulk_transfer(handle_, endpoint_, reinterpret_cast<unsigned char*>(query.data()),
                             static_cast<int>(query.size()), &sent, static_cast<unsigned>(deadline.remainingTime()));
    unsigned char answer[64];
    int got = 0;
    if (rc == LIBUSB_SUCCESS)
        rc = libusb_bulk_transfer(handle_, in_, answer, sizeof answer, &got,
                                  static_cast<unsigned>(std::max<qint64>(deadline.remainingTime(), 1)));
    Close();
    if (rc == LIBUSB_SUCCESS && got == 1) return StatusQuery::Known(PrinterStatus::Answer(answer[0]));
    if (rc == LIBUSB_SUCCESS && got > 1)
        return known(PrinterStatus::Kind::Failed,
                     QStringLiteral("the printer answered %1 bytes where one was expected").arg(got));
    if (rc == LIBUSB_ERROR_TIMEOUT || (rc == LIBUSB_SUCCESS && got == 0))
        return known(PrinterStatus::Kind::NotAnswering,
                     QStringLiteral("the printer does not answer (no state within %1 s)")
                         .arg(StatusQuery::kAnswerWithinMs / 1000));
    return known(PrinterStatus::Kind::Failed, UsbErrorText(rc));
}

void RawUsbPrinter::Close() {
    if (handle_) {
        if (claimed_) libusb_release_interface(handle_, interface_);
        if (reattach_) libusb_attach_kernel_driver(handle_, interface_);
        libusb_close(handle_);
    }
    if (context_) libusb_exit(context_);
    context_ = nullptr;
    handle_ = nullptr;
    interface_ = -1;
    endpoint_ = in_ = 0;
    claimed_ = reattach_ = false;
}

}  // namespace kestrix
