#include "document/OutputFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace kestrix {

namespace {

QString SystemText(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

// How often a FIFO is looked at again for a reader.
constexpr int kReaderLookMs = 50;
// Old content up to this size is kept to be put back should the copy fail.
constexpr qint64 kKeptOldBytes = 64LL * 1024 * 1024;

bool InGroup(gid_t group) {
    if (getegid() == group) return true;
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
    const int n = getgroups(static_cast<int>(groups.size()), groups.data());
    return std::find(groups.begin(), groups.begin() + std::max(n, 0), group) != groups.begin() + std::max(n, 0);
}

// Whether a new file renamed into the place of `old` can be given all that it was.
bool RenameKeepsAll(const struct stat& old) {
    if (old.st_nlink > 1) return false;  // the other names would keep the old content
    return geteuid() == 0 || (geteuid() == old.st_uid && InGroup(old.st_gid));
}

bool WriteAll(int fd, QByteArrayView data, qint64 at) {
    for (qsizetype done = 0; done < data.size();) {
        const ssize_t n = ::pwrite(fd, data.data() + done, static_cast<size_t>(data.size() - done), at + done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

QString WriteProblem(int code) {
    if (code == ENOSPC) return QStringLiteral("disk full");
    if (code == EFBIG) return QStringLiteral("file size limit reached");
    if (code == EPIPE) return QStringLiteral("the reader closed it");
    return SystemText(code);
}

}  // namespace

OutputFile::~OutputFile() {
    if (direct_ >= 0) ::close(direct_);
}

bool OutputFile::Fail(const QString& why, QString* error) const {
    if (error) *error = QStringLiteral("%1: cannot be written: %2").arg(path_, why);
    return false;
}

bool OutputFile::OpenStream(QString* error) {
    const QByteArray name = QFile::encodeName(path_);
    // A FIFO opened for writing waits for a reader; it is looked for instead, for so long.
    const QDeadlineTimer until(readerWaitMs_);
    for (;;) {
        direct_ = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (direct_ >= 0) break;
        if (errno == EINTR) continue;
        if (errno != ENXIO) return Fail(SystemText(errno), error);
        if (until.hasExpired())
            return Fail(QStringLiteral("no reader came within %1 s").arg(readerWaitMs_ / 1000.0), error);
        QThread::msleep(kReaderLookMs);
    }
    // The writes then wait for the reader as they always did.
    const int flags = ::fcntl(direct_, F_GETFL);
    ::fcntl(direct_, F_SETFL, flags & ~O_NONBLOCK);
    return true;
}

bool OutputFile::Open(QString* error) {
    const QByteArray name = QFile::encodeName(path_);
    old_ = {};
    if (::stat(name.constData(), &old_) == 0 && !S_ISREG(old_.st_mode)) {
        if (S_ISDIR(old_.st_mode)) return Fail(QStringLiteral("is a folder"), error);
        return OpenStream(error);
    }
    if (old_.st_nlink > 0 && !RenameKeepsAll(old_)) {
        if (::access(name.constData(), W_OK) != 0) return Fail(SystemText(errno), error);
        // Beside the file when its folder allows, else in the temporary folder.
        const QString pattern = QStringLiteral("/.%1.XXXXXX").arg(QFileInfo(path_).fileName());
        for (const QString& folder : {QFileInfo(path_).absolutePath(), QDir::tempPath()}) {
            copy_ = std::make_unique<QTemporaryFile>(folder + pattern);
            if (copy_->open()) return true;
        }
        return Fail(copy_->errorString(), error);
    }
    // Unbuffered: every write reaches the file here, so a short one is seen at once.
    return save_.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || Fail(save_.errorString(), error);
}

bool OutputFile::Write(QByteArrayView data, QString* error) {
    const int fd = direct_ >= 0 ? direct_ : copy_ ? copy_->handle() : save_.handle();
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, static_cast<size_t>(data.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return Fail(QStringLiteral("%1: only %2 of %3 bytes written")
                        .arg(WriteProblem(n < 0 ? errno : ENOSPC))
                        .arg(written_ + done)
                        .arg(written_ + data.size()),
                    error);
    }
    written_ += done;
    return true;
}

bool OutputFile::CopyIntoPlace(QString* error) {
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return Fail(SystemText(errno), error);
    QByteArray old;
    if (old_.st_size <= kKeptOldBytes) {
        old.resize(old_.st_size);
        if (::pread(fd, old.data(), old.size(), 0) != old.size()) old.clear();
    }
    bool copied = copy_->seek(0);
    for (qint64 at = 0; copied && !copy_->atEnd();) {
        const QByteArray piece = copy_->read(1 << 20);
        copied = !piece.isEmpty() && WriteAll(fd, piece, at);
        at += piece.size();
    }
    const int code = errno;
    if (copied && ::ftruncate(fd, written_) == 0 && ::fsync(fd) == 0)
        return ::close(fd) == 0 || Fail(SystemText(errno), error);
    // The old content back, as far as it was kept.
    const bool restored = !old.isEmpty() && WriteAll(fd, old, 0) && ::ftruncate(fd, old.size()) == 0;
    ::close(fd);
    return Fail(WriteProblem(code) + (restored ? QStringLiteral("; the old content is kept")
                                               : QStringLiteral("; the file may be incomplete")),
                error);
}

bool OutputFile::Commit(QString* error) {
    if (copy_) return CopyIntoPlace(error);
    if (direct_ < 0) {
        if (old_.st_nlink > 0) {
            // The new file takes the old one's owner, group and mode (RenameKeepsAll said it may).
            if (::fchown(save_.handle(), old_.st_uid, old_.st_gid) != 0 ||
                ::fchmod(save_.handle(), old_.st_mode & 07777) != 0)
                return Fail(SystemText(errno), error);
        }
        return save_.commit() || Fail(save_.errorString(), error);
    }
    const int fd = direct_;
    direct_ = -1;
    return ::close(fd) == 0 || Fail(SystemText(errno), error);
}

bool WriteOutputFile(const QString& path, QByteArrayView data, QString* error) {
    OutputFile file(path);
    return file.Open(error) && file.Write(data, error) && file.Commit(error);
}

}  // namespace kestrix
