#pragma once
// Decoded picture files, kept by path, size and modification time so a paint
// does not decode every picture again. The file is looked at on every call:
// a missing file is reported as missing even when its image is still held.

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QString>

namespace kestrix {

class PictureCache {
public:
    // How many decoded pictures are kept at most.
    static constexpr int kMaxEntries = 32;

    // The decoded picture at `path`, or a null image when the file is missing,
    // is not a regular file or cannot be decoded within the size limit.
    QImage Load(const QString& path);
    // The picture turned clockwise by `degrees` (0, 90, 180, 270) and, with
    // `mono`, reduced to black and white; each variant is worked out once.
    QImage Load(const QString& path, int degrees, bool mono);

    // Reads and decodes one picture file without caching it. Images larger
    // than the reader's allocation limit are refused rather than allocated.
    static QImage ReadPicture(const QString& path);

    void Clear() { entries_.clear(); }

private:
    struct Entry {
        qint64 size = 0;
        QDateTime modified;
        QImage image;
        QHash<int, QImage> variants;  // degrees, plus 1000 when reduced
    };
    Entry* Find(const QString& path);
    QHash<QString, Entry> entries_;
};

// The image turned clockwise by `degrees`.
QImage TurnedPicture(const QImage& image, int degrees);

// Whether a picture element's file is there to be drawn.
bool PictureFileExists(const QString& path);

}  // namespace kestrix
