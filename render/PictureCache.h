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
    // How many decoded pictures are kept at most, and how many bytes they and
    // their variants take together: a label of a few large pictures keeps
    // the latest ones, never all of them.
    static constexpr int kMaxEntries = 32;
    static constexpr qint64 kMaxBytes = qint64(96) << 20;

    explicit PictureCache(qint64 maxBytes = kMaxBytes) : maxBytes_(maxBytes) {}

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
    // The bytes the kept pictures and variants take.
    qint64 Bytes() const;

private:
    struct Entry {
        qint64 size = 0;
        QDateTime modified;
        QImage image;
        QHash<int, QImage> variants;  // degrees, plus 1000 when reduced
    };
    Entry* Find(const QString& path);
    // Makes room for `bytes` more within the budget by dropping what is kept.
    void MakeRoom(qint64 bytes);
    qint64 maxBytes_;
    QHash<QString, Entry> entries_;
};

// The image turned clockwise by `degrees`.
QImage TurnedPicture(const QImage& image, int degrees);

// Whether a picture element's file is there to be drawn.
bool PictureFileExists(const QString& path);

}  // namespace kestrix
