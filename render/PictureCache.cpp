#include "render/PictureCache.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QTransform>

#include "document/RegularFile.h"
#include "render/MonoPicture.h"

namespace kestrix {

namespace {

// Megabytes one decoded picture may take (about 64 million 32-bit pixels).
constexpr int kAllocationLimitMb = 256;

}  // namespace

bool PictureFileExists(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

QImage PictureCache::ReadPicture(const QString& path) {
    // Only a regular file, and only the bytes it has: a FIFO or a /proc file never blocks a render.
    FileRead file = ReadRegularFile(path, qint64(kAllocationLimitMb) << 20);
    if (file.problem != FileProblem::None) return {};
    QBuffer buffer(&file.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QFileInfo(path).suffix().toLatin1());
    reader.setAllocationLimit(kAllocationLimitMb);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() * 4 > qint64(kAllocationLimitMb) << 20)
        return {};
    return reader.read();
}

PictureCache::Entry* PictureCache::Find(const QString& path) {
    if (!PictureFileExists(path)) return nullptr;
    const QFileInfo info(path);
    auto found = entries_.find(path);
    if (found != entries_.end() && found->size == info.size() && found->modified == info.lastModified())
        return &found.value();
    entries_.remove(path);
    QImage image = ReadPicture(path);
    if (entries_.size() >= kMaxEntries) entries_.clear();
    MakeRoom(image.sizeInBytes());
    return &entries_.insert(path, Entry{info.size(), info.lastModified(), image, {}}).value();
}

QImage PictureCache::Load(const QString& path) {
    const Entry* entry = Find(path);
    return entry ? entry->image : QImage();
}

QImage PictureCache::Load(const QString& path, int degrees, bool mono) {
    Entry* entry = Find(path);
    if (!entry || entry->image.isNull()) return {};
    if (degrees == 0 && !mono) return entry->image;
    const int key = degrees + (mono ? 1000 : 0);
    if (auto it = entry->variants.constFind(key); it != entry->variants.cend()) return *it;
    QImage variant = TurnedPicture(entry->image, degrees);
    if (mono) variant = ReduceToMono(variant);
    // Kept only within the budget, beside its own picture.
    if (Bytes() + variant.sizeInBytes() <= maxBytes_) entry->variants.insert(key, variant);
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
