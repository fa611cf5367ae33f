#include "render/PictureCache.h"

#include <QFileInfo>
#include <QImageReader>
#include <QTransform>

#include "render/MonoPicture.h"

namespace kestrix {

bool PictureFileExists(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

QImage PictureCache::ReadPicture(const QString& path, Problem* problem, const std::function<void(qint64)>& room) {
    Problem found;
    QImage image;
    // Only a regular file: a FIFO or a device never blocks a render. It is
    // decoded as it is read, never held whole besides. Always at full size:
    // a decoder's scaled size (QImageReader::setScaledSize) scales smoothly,
    // or decodes whole and then scales, which changes the pixels that
    // nearest-pixel drawing and black-and-white reduction give.
    QFile file;
    found.file = OpenRegularFile(path, file);
    if (found.file.problem == FileProblem::None) {
        QImageReader reader(&file, QFileInfo(path).suffix().toLatin1());
        reader.setAllocationLimit(static_cast<int>(kMaxPictureBytes >> 20));
        reader.setAutoTransform(true);
        const QSize size = reader.size();
        const qint64 bytes = size.isValid() ? static_cast<qint64>(size.width()) * size.height() * 4 : -1;
        if (bytes > kMaxPictureBytes) {
            found.size = size;
        } else {
            if (room) room(bytes);
            if ((image = reader.read()).isNull()) found.decoder = reader.errorString();
        }
    }
    if (problem) *problem = found;
    return image;
}

QStringList PictureCache::TakeLeftOff(UiLanguage language) {
    QStringList lines;
    for (auto it = leftOff_.cbegin(); it != leftOff_.cend(); ++it) {
        const Problem& p = it.value();
        QString why;
        if (p.file.problem != FileProblem::None)
            why = FileProblemText(p.file, language);
        else if (p.size.isValid())
            why =
                UiText(language, "too large (%1 x %2 pixels; at most %3 million)", "太大（%1 x %2 像素，最多 %3 百万）")
                    .arg(p.size.width())
                    .arg(p.size.height())
                    .arg(kMaxPictureBytes / 4 / 1000000);
        else
            why = UiText(language, "not a picture that can be read (%1)", "不是可以读取的图片（%1）").arg(p.decoder);
        lines << UiText(language, "picture %1 left off: %2", "图片 %1 已略去：%2").arg(it.key(), why);
    }
    leftOff_.clear();
    return lines;
}

PictureCache::Entry* PictureCache::Find(const QString& path) {
    if (!PictureFileExists(path)) return nullptr;
    const QFileInfo info(path);
    auto found = entries_.find(path);
    if (found != entries_.end() && found->size == info.size() && found->modified == info.lastModified())
        return &found.value();
    entries_.remove(path);
    // Room is made before decoding: what is kept and the new picture are
    // never held beyond the budget together.
    if (entries_.size() >= kMaxEntries) entries_.clear();
    Problem problem;
    QImage image = ReadPicture(path, &problem, [this](qint64 bytes) { MakeRoom(bytes < 0 ? maxBytes_ : bytes); });
    if (image.isNull()) leftOff_.insert(path, problem);
    MakeRoom(image.sizeInBytes());
    return &entries_.insert(path, Entry{info.size(), info.lastModified(), image, false, {}}).value();
}

QImage PictureCache::Source(const QString& path) {
    Entry& entry = entries_[path];
    if (!entry.released) return entry.image;
    // Decoded again beside what is kept: the budget and one picture.
    entry.image = ReadPicture(path);
    entry.released = false;
    return entry.image;
}

void PictureCache::Keep(const QString& path, int key, const QImage& variant) {
    const qint64 bytes = variant.sizeInBytes();
    if (Bytes() + bytes > maxBytes_) {
        Entry& entry = entries_[path];
        entry.image = QImage();
        entry.released = true;
    }
    if (Bytes() + bytes > maxBytes_) {
        Entry kept = entries_.take(path);
        entries_.clear();
        entries_.insert(path, kept);
    }
    if (Bytes() + bytes <= maxBytes_) entries_[path].variants.insert(key, variant);
}

QImage PictureCache::Load(const QString& path) { return Find(path) ? Source(path) : QImage(); }

QImage PictureCache::Load(const QString& path, int degrees, bool mono) {
    const Entry* entry = Find(path);
    if (!entry || (entry->image.isNull() && !entry->released)) return {};
    if (degrees == 0 && !mono) return Source(path);
    const int key = degrees + (mono ? 1000 : 0);
    if (auto it = entry->variants.constFind(key); it != entry->variants.cend()) return *it;
    const QImage variant = mono ? ReduceToMono(Source(path), degrees) : TurnedPicture(Source(path), degrees);
    // The variant is what is drawn: it is kept rather than the picture it came from.
    Keep(path, key, variant);
    return variant;
}

qint64 PictureCache::Bytes() const {
    qint64 bytes = 0;
    for (const Entry& entry : entries_) {
        bytes += entry.image.sizeInBytes();
        for (const QImage& variant : entry.variants) bytes += variant.sizeInBytes();
    }
    return bytes;
}

void PictureCache::MakeRoom(qint64 bytes) {
    if (Bytes() + bytes > maxBytes_) entries_.clear();
}

QImage TurnedPicture(const QImage& image, int degrees) {
    return degrees == 0 || image.isNull() ? image : image.transformed(QTransform().rotate(degrees));
}

}  // namespace kestrix
