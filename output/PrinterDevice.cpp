#include "output/PrinterDevice.h"

#include <QStringList>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "output/CupsRawJob.h"
#include "output/PrinterAddress.h"
#include "output/PrinterLocation.h"
#include "output/RawUsbPrinter.h"
#include "output/SocketPrinter.h"

namespace kestrix {

namespace {

QString ErrnoText(int code) {
    switch (code) {
    case EBUSY: return QStringLiteral("printer busy");
    case ENOENT: return QStringLiteral("no such device (printer disconnected?)");
    case ENODEV:
    case ENXIO: return QStringLiteral("printer disconnected");
    case EACCES:
    case EPERM: return QStringLiteral("permission denied (install the udev rule and join group lp)");
    default: return QString::fromLocal8Bit(std::strerror(code));
    }
}

}  // namespace

PrinterDevice::PrinterDevice() = default;

PrinterDevice::~PrinterDevice() { Close(); }

bool PrinterDevice::IsOpen() const { return fd_ >= 0 || usb_ || socket_ || cups_; }

bool PrinterDevice::Open(const QString& path, QString* error) {
    Close();
    name_ = path;
    const QString rawPrefix = QString::fromLatin1(kRawUsbPrefix);
    if (path.startsWith(rawPrefix)) {
        const QStringList parts = path.mid(rawPrefix.size()).split(u':');
        bool busOk = false, addressOk = false;
        const int bus = parts.value(0).toInt(&busOk);
        const int address = parts.value(1).toInt(&addressOk);
        if (parts.size() != 2 || !busOk || !addressOk) {
            if (error) *error = path + QStringLiteral(": not a USB address");
            return false;
        }
        usb_ = std::make_unique<RawUsbPrinter>();
        if (!usb_->Open(bus, address, error)) {
            usb_.reset();
            return false;
        }
        return true;
    }
    // Non-blocking, so a printer held by another job is refused at once
    // (usblp allows one opener) rather than waited for.
    do {
        fd_ = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) {
        if (error) *error = path + QStringLiteral(": ") + ErrnoText(errno);
        return false;
    }
    return true;
}

bool PrinterDevice::Open(const PrinterAddress& address, QString* error) {
    if (address.kind == PrinterAddress::Kind::Usb || address.kind == PrinterAddress::Kind::Path)
        return Open(address.path, error);
    Close();
    name_ = address.Text();
    QString why;
    if (address.kind == PrinterAddress::Kind::Socket) {
        socket_ = std::make_unique<SocketPrinter>();
        if (!socket_->Open(address.host, address.port, &why)) socket_.reset();
    } else {
        cups_ = std::make_unique<CupsRawJob>();
        if (!cups_->Open(address.queue, &why)) cups_.reset();
    }
    if (!IsOpen() && error) *error = name_ + QStringLiteral(": ") + why;
    return IsOpen();
}

StallWatch::Outcome PrinterDevice::Write(QByteArrayView data, StallWatch& watch, QString* error) {
    return watch.Send(
        data, [this](QByteArrayView rest, int waitMs, QString* why) { return TryWrite(rest, waitMs, why); }, error);
}

qint64 PrinterDevice::TryWrite(QByteArrayView data, int waitMs, QString* error) {
    if (usb_) return usb_->Transfer(data, waitMs, error);
    if (socket_ || cups_) {
        QString why;
        const qint64 taken = socket_ ? socket_->Transfer(data, waitMs, &why) : cups_->Transfer(data, waitMs, &why);
        if (taken < 0 && error) *error = name_ + QStringLiteral(": ") + why;
        return taken;
    }
    if (fd_ < 0) {
        if (error) *error = QStringLiteral("the printer is not open");
        return -1;
    }
    pollfd p{fd_, POLLOUT, 0};
    const int ready = ::poll(&p, 1, waitMs);
    if (ready == 0 || (ready < 0 && errno == EINTR)) return 0;
    if (ready < 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL))) {
        if (error) *error = name_ + QStringLiteral(": printer disconnected");
        return -1;
    }
    const ssize_t n = ::write(fd_, data.data(), static_cast<size_t>(data.size()));
    if (n >= 0) return n;
    if (errno == EAGAIN || errno == EINTR) return 0;
    if (error) *error = name_ + QStringLiteral(": ") + ErrnoText(errno);
    return -1;
}

bool PrinterDevice::Finish(QString* error) {
    QString why;
    if (!cups_ || cups_->Finish(&why)) return true;
    if (error) *error = name_ + QStringLiteral(": ") + why;
    return false;
}

void PrinterDevice::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    usb_.reset();
    socket_.reset();
    cups_.reset();
}

}  // namespace kestrix
