#include "document/RegularFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kestrix {

namespace {

FileProblem KindProblem(mode_t mode) {
    if (S_ISDIR(mode)) return FileProblem::Folder;
    return S_ISREG(mode) ? FileProblem::None : FileProblem::NotRegular;
}

// The bytes of an open file, looked at again through the descriptor in case
// the name now leads somewhere else. Only as many bytes as the file says it
// has are read: a /proc file says 0 and is never read.
FileRead ReadOpenFile(int fd, qint64 maxBytes) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return {FileProblem::Unreadable, {}, 0, errno};
    FileRead read{KindProblem(st.st_mode), {}, st.st_size, 0};
    if (read.problem == FileProblem::None && st.st_size > maxBytes) read.problem = FileProblem::TooLarge;
    if (read.problem != FileProblem::None) return read;
    read.bytes.resize(st.st_size);
    qint64 done = 0;
    while (done < st.st_size) {
        const ssize_t n = ::read(fd, read.bytes.data() + done, static_cast<size_t>(st.st_size - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return {FileProblem::Unreadable, {}, st.st_size, errno};
        if (n <= 0) break;  // the file shrank meanwhile
        done += n;
    }
    read.bytes.truncate(done);
    return read;
}

// The file opened for reading when it is a regular file (-1 otherwise, and why in `read`).
int OpenRegular(const QString& path, FileRead& read) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (name.isEmpty() || ::stat(name.constData(), &st) != 0) {
        const int code = name.isEmpty() ? ENOENT : errno;
        read = {code == ENOENT || code == ENOTDIR ? FileProblem::Missing : FileProblem::Unreadable, {}, 0, code};
        return -1;
    }
    // Looked at before opening: opening a device node can have effects of its own.
    if (const FileProblem kind = KindProblem(st.st_mode); kind != FileProblem::None) {
        read = {kind, {}, 0, 0};
        return -1;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) read = {FileProblem::Unreadable, {}, 0, errno};
    return fd;
}

}  // namespace

FileRead ReadRegularFile(const QString& path, qint64 maxBytes) {
    FileRead read;
    const int fd = OpenRegular(path, read);
    if (fd < 0) return read;
    read = ReadOpenFile(fd, maxBytes);
    ::close(fd);
    return read;
}

FileRead OpenRegularFile(const QString& path, QFile& file) {
    FileRead read;
    const int fd = OpenRegular(path, read);
    if (fd < 0) return read;
    // Looked at again through the descriptor, in case the name now leads elsewhere.
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (!regular || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {regular ? FileProblem::Unreadable : FileProblem::NotRegular, {}, 0, errno};
    }
    read.size = st.st_size;
    return read;
}

QString FileProblemText(const FileRead& read, UiLanguage language) {
    switch (read.problem) {
    case FileProblem::None: break;
    case FileProblem::Missing: return UiText(language, "no such file", "文件不存在。");
    case FileProblem::Folder: return UiText(language, "is a folder", "这是文件夹，不是文件。");
    case FileProblem::NotRegular:
        return UiText(language, "is not a regular file", "这不是普通文件（可能是管道或设备），不能读取。");
    case FileProblem::TooLarge:
        return UiText(language, "is too large (%1 bytes)", "文件太大（%1 字节）。").arg(read.size);
    case FileProblem::Unreadable:
        if (read.systemError == EACCES || read.systemError == EPERM)
            return UiText(language, "cannot be read: permission denied", "没有读取这个文件的权限。");
        return language == UiLanguage::Chinese
                   ? QStringLiteral("无法读取这个文件。")
                   : QStringLiteral("cannot be read: ") + QString::fromLocal8Bit(std::strerror(read.systemError));
    }
    return {};
}

}  // namespace kestrix
