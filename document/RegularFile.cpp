#include "document/RegularFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kestrix {

namespace {

FileProblem KindProblem(mode_t mode) {
    if (S_ISDIR(mode)) return FileProblem::Folder;
    return S_ISREG(mode) ? FileProblem::None : FileProblem::NotRegular;
}

FileRead Failed(FileProblem problem, int systemError = 0) {
    FileRead read;
    read.problem = problem;
    read.systemError = systemError;
    return read;
}

}  // namespace

FileRead ReadRegularFile(const QString& path, qint64 maxBytes) {
    const QByteArray name = QFile::encodeName(path);
    struct stat before {};
    if (name.isEmpty() || ::stat(name.constData(), &before) != 0) {
        const int code = name.isEmpty() ? ENOENT : errno;
        return Failed(code == ENOENT || code == ENOTDIR ? FileProblem::Missing : FileProblem::Unreadable, code);
    }
    // Looked at before opening: opening a device node can have effects of its own.
    if (const FileProblem kind = KindProblem(before.st_mode); kind != FileProblem::None) return Failed(kind);

    // Non-blocking, in case the name now leads somewhere else.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return Failed(FileProblem::Unreadable, errno);
    FileRead read;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        read = Failed(FileProblem::Unreadable, errno);
    } else if (const FileProblem kind = KindProblem(st.st_mode); kind != FileProblem::None) {
        read = Failed(kind);
    } else if (st.st_size > maxBytes) {
        read = Failed(FileProblem::TooLarge);
    } else {
        // Only the bytes the file has: a /proc file says 0 and is never read.
        read.bytes.resize(st.st_size);
        qint64 done = 0;
        while (done < st.st_size) {
            const ssize_t n = ::read(fd, read.bytes.data() + done, static_cast<size_t>(st.st_size - done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN) {
                read = Failed(FileProblem::Unreadable, errno);
                break;
            }
            if (n <= 0) break;  // the file shrank meanwhile
            done += n;
        }
        if (read.problem == FileProblem::None) read.bytes.truncate(done);
    }
    read.size = st.st_size;
    ::close(fd);
    return read;
}

}  // namespace kestrix
