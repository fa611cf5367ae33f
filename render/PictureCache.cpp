#include "render/PictureCache.h"

#include <QFileInfo>
#include <QImageReader>

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
    if (!PictureFileExists(path)) return {};
    QImageReader reader(path);
    reader.setAllocationLimit(kAllocationLimitMb);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() &&
        static_cast<qint64>(size.width()) * size.height() * 4 > qint64(kAllocationLimitMb) << 20)
        return {};
    return reader.read();
}

QImage PictureCache::Load(const QString& path) {
    if (!PictureFileExists(path)) return {};
    const QFileInfo info(path);
    const auto found = entries_.constFind(path);
    if (found != entries_.cend() && found->size == info.size() &&
        found->modified == info.lastModified())
        return found->image;
    QImage image = ReadPicture(path);
    if (entries_.size() >= kMaxEntries) entries_.clear();
    entries_.insert(path, Entry{info.size(), info.lastModified(), image});
    return image;
}

}  // namespace kestrix
