#include "document/OutputFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kestrix {

namespace {

QString SystemText(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

}  // namespace

OutputFile::~OutputFile() {
    if (direct_ >= 0) ::close(direct_);
}

bool OutputFile::Fail(const QString& why, QString* error) const {
    if (error) *error = QStringLiteral("%1: cannot be written: %2").arg(path_, why);
    return false;
}

bool OutputFile::Open(QString* error) {
    const QByteArray name = QFile::encodeName(path_);
    struct stat st {};
    if (::stat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) return Fail(QStringLiteral("is a folder"), error);
        direct_ = ::open(name.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        return direct_ >= 0 || Fail(SystemText(errno), error);
    }
    // Unbuffered: every write reaches the file here, so a short one is seen at once.
    return save_.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || Fail(save_.errorString(), error);
}

bool OutputFile::Write(QByteArrayView data, QString* error) {
    const int fd = direct_ >= 0 ? direct_ : save_.handle();
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, static_cast<size_t>(data.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        const int code = n < 0 ? errno : ENOSPC;
        const QString cause = code == ENOSPC  ? QStringLiteral("disk full")
                              : code == EFBIG ? QStringLiteral("file size limit reached")
                                              : SystemText(code);
        return Fail(QStringLiteral("%1: only %2 of %3 bytes written")
                        .arg(cause)
                        .arg(written_ + done)
                        .arg(written_ + data.size()),
                    error);
    }
    written_ += done;
    return true;
}

bool OutputFile::Commit(QString* error) {
    if (direct_ < 0) return save_.commit() || Fail(save_.errorString(), error);
    const int fd = direct_;
    direct_ = -1;
    return ::close(fd) == 0 || Fail(SystemText(errno), error);
}

bool WriteOutputFile(const QString& path, QByteArrayView data, QString* error) {
    OutputFile file(path);
    return file.Open(error) && file.Write(data, error) && file.Commit(error);
}

}  // namespace kestrix
