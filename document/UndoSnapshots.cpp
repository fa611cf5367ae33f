#include "document/UndoSnapshots.h"

#include <QDir>
#include <QFile>

#include "document/LabelFile.h"

namespace kestrix {

UndoSnapshots::UndoSnapshots(QString folder) : folder_(folder.isEmpty() ? QDir::tempPath() : std::move(folder)) {}

QString UndoSnapshots::FilePath(int number) const {
    return QDir(folder_).filePath(QStringLiteral("%1.undo").arg(number));
}

bool UndoSnapshots::WriteFile(int number, const std::vector<LabelElement>& elements) const {
    const QByteArray bytes = RecordBytes(elements, false);
    // Unbuffered, so a full disk shows as a short write instead of vanishing in close().
    QFile file(FilePath(number));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) return false;
    return file.write(bytes) == bytes.size();
}

void UndoSnapshots::TakeSnapshot(const std::vector<LabelElement>& elements) {
    if (elements.empty()) return;
    ++count_;
    if (!WriteFile(count_, elements)) return;  // skipped silently; the counter stays raised
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

void UndoSnapshots::WriteOpenedLabel(const std::vector<LabelElement>& elements) const { WriteFile(0, elements); }

}  // namespace kestrix
