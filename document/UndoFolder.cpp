#include "document/UndoFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace kestrix {

namespace {

constexpr char kPrefix[] = "kestrix-undo-";
constexpr char kLockName[] = "lock";
// A start that finds a folder before its maker has locked it takes it for
// abandoned (and removes it, empty); the maker then makes another.
constexpr int kAttempts = 5;

// The lock of `folder`, taken without waiting: its descriptor, or -1 when a
// living editor holds it or it cannot be opened. The descriptor is not handed
// to child processes, which would keep the lock after the editor died.
int TakeLock(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder + u'/' + QLatin1String(kLockName));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

// A real folder (not a link) of this user: another user's folder in a shared
// temporary folder is none of ours.
bool IsOwnFolder(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
}

}  // namespace

UndoFolder::UndoFolder(QString path) : path_(std::move(path)) {}

UndoFolder::UndoFolder(QString path, int lockFd, bool owned) : path_(std::move(path)), lockFd_(lockFd), owned_(owned) {}

UndoFolder::UndoFolder(UndoFolder&& other) noexcept
    : path_(std::exchange(other.path_, {})),
      lockFd_(std::exchange(other.lockFd_, -1)),
      owned_(std::exchange(other.owned_, false)) {}

UndoFolder& UndoFolder::operator=(UndoFolder&& other) noexcept {
    if (this != &other) {
        Close();
        path_ = std::exchange(other.path_, {});
        lockFd_ = std::exchange(other.lockFd_, -1);
        owned_ = std::exchange(other.owned_, false);
    }
    return *this;
}

UndoFolder::~UndoFolder() { Close(); }

void UndoFolder::Close() {
    // Removed while still locked, so no other start looks at it half gone.
    if (owned_ && !path_.isEmpty()) QDir(path_).removeRecursively();
    if (lockFd_ >= 0) ::close(lockFd_);
    lockFd_ = -1;
    owned_ = false;
    path_.clear();
}

void UndoFolder::Remove() {
    owned_ = true;
    Close();
}

QString UndoFolder::FilePath(const QString& name) const { return QDir(path_).filePath(name); }

QStringList UndoFolder::DefaultParents() {
    QStringList parents;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) parents << QDir::cleanPath(runtime);
    const QString temp = QDir::cleanPath(QDir::tempPath());
    if (!parents.contains(temp)) parents << temp;
    return parents;
}

UndoFolder UndoFolder::Create(const QStringList& parents, UndoProblem* problem) {
    UndoProblem last;
    for (const QString& parent : parents) {
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            QByteArray pattern = QFile::encodeName(QDir(parent).filePath(QLatin1String(kPrefix) + "XXXXXX"));
            // mkdtemp makes the folder with mode 0700 under a name no other start gets.
            if (!::mkdtemp(pattern.data())) {
                last = {parent, errno};
                break;
            }
            const QString path = QFile::decodeName(pattern);
            const int fd = TakeLock(path);
            if (fd >= 0) return UndoFolder(path, fd, true);
            last = {parent, errno};
            if (errno == EWOULDBLOCK) continue;
            // No lock file can be made here (a full disk): the empty folder goes.
            ::rmdir(pattern.constData());
            break;
        }
    }
    if (problem) *problem = last;
    return {};
}

std::vector<UndoFolder> UndoFolder::Abandoned(const QStringList& parents) {
    std::vector<UndoFolder> found;
    for (const QString& parent : parents) {
        const QFileInfoList entries =
            QDir(parent).entryInfoList({QLatin1String(kPrefix) + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Time);
        for (const QFileInfo& entry : entries) {
            const QString path = entry.absoluteFilePath();
            if (!IsOwnFolder(path)) continue;
            if (const int fd = TakeLock(path); fd >= 0) found.push_back(UndoFolder(path, fd, false));
        }
    }
    return found;
}

}  // namespace kestrix
