#include "document/DataFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "document/RegularFile.h"

namespace kestrix {

namespace {

FileProblem KindProblem(mode_t mode) {
    if (S_ISDIR(mode)) return FileProblem::Folder;
    return S_ISREG(mode) ? FileProblem::None : FileProblem::NotRegular;
}

QString ProblemText(UiLanguage language, FileProblem problem, int systemError = 0) {
    FileRead read;
    read.problem = problem;
    read.systemError = systemError;
    return FileProblemText(read, language);
}

}  // namespace

std::unique_ptr<DataFile> DataFile::Open(const QString& path, QString* error, UiLanguage language) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    // Looked at before opening: opening a FIFO or a device node can wait or have effects.
    if (name.isEmpty() || ::stat(name.constData(), &st) != 0) {
        const int code = name.isEmpty() ? ENOENT : errno;
        *error = ProblemText(language,
                             code == ENOENT || code == ENOTDIR ? FileProblem::Missing : FileProblem::Unreadable, code);
        return nullptr;
    }
    if (const FileProblem kind = KindProblem(st.st_mode); kind != FileProblem::None) {
        *error = ProblemText(language, kind);
        return nullptr;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        *error = ProblemText(language, FileProblem::Unreadable, errno);
        return nullptr;
    }
    std::unique_ptr<DataFile> file(new DataFile);
    file->language_ = language;
    // Looked at again through the descriptor, in case the name now leads elsewhere.
    if (::fstat(fd, &file->opened_) != 0 || KindProblem(file->opened_.st_mode) != FileProblem::None) {
        ::close(fd);
        *error = ProblemText(language, FileProblem::NotRegular);
        return nullptr;
    }
    if (!file->QFile::open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = file->errorString();
        return nullptr;
    }
    return file;
}

bool DataFile::Changed() const {
    struct stat now {};
    if (::fstat(handle(), &now) != 0) return true;
    return now.st_size != opened_.st_size || now.st_mtim.tv_sec != opened_.st_mtim.tv_sec ||
           now.st_mtim.tv_nsec != opened_.st_mtim.tv_nsec;
}

qint64 DataFile::readData(char* data, qint64 maxSize) {
    const qint64 read = QFile::readData(data, maxSize);
    // Looked at after reading, so the bytes handed on were read from the file as it was opened.
    if (!Changed()) return read;
    setErrorString(UiText(language_, "the file changed while it was being read", "文件在读取期间被改动了"));
    return -1;
}

}  // namespace kestrix
