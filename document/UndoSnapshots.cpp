#include "document/UndoSnapshots.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "document/LabelFile.h"

namespace kestrix {

namespace {

// Writes `bytes` to a temporary file renamed over `path`, so a file is either
// the old one or whole even when the editor dies while writing. 0, or errno.
int WriteWhole(const QString& path, QByteArrayView bytes) {
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + ".new";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    qsizetype done = 0;
    int error = 0;
    while (done < bytes.size() && error == 0) {
        const ssize_t n = ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n == 0 || errno != EINTR)
            error = n == 0 ? ENOSPC : errno;
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0) error = errno;
    if (error != 0) ::unlink(temporary.constData());
    return error;
}

}  // namespace

UndoSnapshots::UndoSnapshots(UndoFolder folder, std::optional<UndoProblem> problem)
    : folder_(std::move(folder)), problem_(std::move(problem)) {}

QString UndoSnapshots::FilePath(int number) const {
    return folder_.IsValid() ? folder_.FilePath(QStringLiteral("%1.undo").arg(number)) : QString();
}

bool UndoSnapshots::WriteFile(const QString& name, QByteArrayView bytes) {
    if (!folder_.IsValid()) return false;
    const int error = WriteWhole(folder_.FilePath(name), bytes);
    if (error != 0 && !problem_) problem_ = UndoProblem{folder_.Path(), error};
    return error == 0;
}

void UndoSnapshots::TakeSnapshot(const std::vector<LabelElement>& elements) {
    ++count_;
    if (!WriteFile(QStringLiteral("%1.undo").arg(count_), RecordBytes(elements, false)))
        return;  // the counter stays raised: the label counts as changed
    top_ = count_;
    pos_ = count_;
}

bool UndoSnapshots::RestoreSnapshot(int direction, std::vector<LabelElement>& elements, bool labelPathEmpty) {
    if (direction < 0) {
        if (pos_ <= 0) return false;
        --pos_;
        --count_;
    } else {
        ++count_;
        if (count_ > top_) {
            count_ = top_;
            return false;
        }
        ++pos_;
    }
    elements.clear();
    if (pos_ == 0 && labelPathEmpty) return true;
    QFile file(FilePath(pos_));
    if (!file.open(QIODevice::ReadOnly)) return true;
    elements = RecordsFrom(file.read(kMaxLabelFileBytes));
    return true;
}

void UndoSnapshots::WriteOpenedLabel(const std::vector<LabelElement>& elements) {
    WriteFile(QStringLiteral("0.undo"), RecordBytes(elements, false));
}

void UndoSnapshots::Restart() {
    count_ = pos_ = top_ = 0;
    if (!folder_.IsValid()) return;
    QDir folder(folder_.Path());
    for (const QString& name : folder.entryList({QStringLiteral("*.undo")}, QDir::Files)) folder.remove(name);
}

void UndoSnapshots::WriteState(const UndoState& state) {
    WriteFile(QLatin1String(kUndoStateFile), UndoStateBytes(state));
}

void UndoSnapshots::Adopt(UndoFolder folder, const UndoState& state) {
    folder_ = std::move(folder);
    folder_.Adopt();
    problem_.reset();
    count_ = state.count;
    pos_ = state.pos;
    top_ = state.top;
}

}  // namespace kestrix
