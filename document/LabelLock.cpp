#include "document/LabelLock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kestrix {

namespace {

// A save that renames over the file between the lock and the check makes the
// next try lock the new file; this many saves in a row are taken for a fault.
constexpr int kTries = 8;

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

LabelLock& LabelLock::operator=(LabelLock&& other) noexcept {
    if (this != &other) {
        Unlock();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

void LabelLock::Unlock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    fd_ = -1;
}

LabelLock::Result LabelLock::TryLock(const QString& path, QString* error) {
    Unlock();
    const QByteArray name = QFile::encodeName(path);
    for (int i = 0; i < kTries; ++i) {
        // Not blocking: a FIFO in the label's place would wait for a writer.
        const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) {
            if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
            return Result::Failed;
        }
        struct stat held {};
        if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
            ::close(fd);
            if (error) *error = QStringLiteral("is not a regular file");
            return Result::Failed;
        }
        int locked;
        do {
            locked = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            const bool busy = errno == EWOULDBLOCK;
            if (!busy && error) *error = QString::fromLocal8Bit(std::strerror(errno));
            ::close(fd);
            return busy ? Result::Busy : Result::Failed;
        }
        struct stat named {};
        if (::stat(name.constData(), &named) == 0 && SameFile(named, held)) {
            fd_ = fd;
            return Result::Locked;
        }
        ::close(fd);  // saved over meanwhile: the new file is the label now
    }
    if (error) *error = QStringLiteral("is replaced again and again");
    return Result::Failed;
}

}  // namespace kestrix
