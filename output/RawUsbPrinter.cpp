#include "output/RawUsbPrinter.h"

#include <libusb.h>

#include <algorithm>

namespace kestrix {

namespace {

// Where the printer's OUT pipe is: the printer-class interface and its bulk OUT endpoint.
bool FindPrinterEndpoint(libusb_device* device, int& interfaceNumber, unsigned char& endpoint) {
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS) return false;
    bool found = false;
    for (int i = 0; i < config->bNumInterfaces && !found; ++i) {
        const libusb_interface& itf = config->interface[i];
        if (itf.num_altsetting < 1 || itf.altsetting[0].bInterfaceClass != LIBUSB_CLASS_PRINTER) continue;
        const libusb_interface_descriptor& alt = itf.altsetting[0];
        for (int k = 0; k < alt.bNumEndpoints && !found; ++k) {
            const libusb_endpoint_descriptor& ep = alt.endpoint[k];
            if ((ep.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_OUT &&
                (ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) == LIBUSB_TRANSFER_TYPE_BULK) {
                interfaceNumber = alt.bInterfaceNumber;
                endpoint = ep.bEndpointAddress;
                found = true;
            }
        }
    }
    libusb_free_config_descriptor(config);
    return found;
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
    rc = !device                                               ? LIBUSB_ERROR_NO_DEVICE
         : !FindPrinterEndpoint(device, interface_, endpoint_) ? LIBUSB_ERROR_NOT_FOUND
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
    endpoint_ = 0;
    claimed_ = reattach_ = false;
}

}  // namespace kestrix
