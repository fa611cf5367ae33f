#pragma once
// Decoded picture files, kept by path, size and modification time so a paint
// does not decode every picture again. The file is looked at on every call:
// a missing file is reported as missing even when its image is still held.
// What is kept stays within a byte budget; room is made before a picture is
// decoded, so memory holds the budget and one picture at most.

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

#include "document/RegularFile.h"
#include "document/UiLanguage.h"

namespace kestrix {

class PictureCache {
public:
    // How many decoded pictures are kept at most, and how many bytes they and
    // their variants take together: a label of a few large pictures keeps
    // the latest ones, never all of them.
    static constexpr int kMaxEntries = 32;
    static constexpr qint64 kMaxBytes = qint64(96) << 20;
    // The bytes one decoded picture may take (64 million 32-bit pixels, an
    // 8000 x 8000 photo): a larger one is left off.
    static constexpr qint64 kMaxPictureBytes = qint64(256) << 20;

    explicit PictureCache(qint64 maxBytes = kMaxBytes) : maxBytes_(maxBytes) {}

    // The decoded picture at `path`, or a null image when the file is missing,
    // is not a regular file or cannot be decoded within the size limit.
    QImage Load(const QString& path);
    // The picture turned clockwise by `degrees` (0, 90, 180, 270) and, with
    // `mono`, reduced to black and white; each variant is worked out once.
    QImage Load(const QString& path, int degrees, bool mono);

    // Why a picture file that is there was not drawn.
    struct Problem {
        FileRead file;    // it could not be read (file.problem set)
        QSize size;       // it is larger than kMaxPictureBytes (valid then)
        QString decoder;  // otherwise: what the decoder said
    };
    // Reads and decodes one picture file without caching it: a null image
    // when it cannot, and why in `problem`. Images larger than
    // kMaxPictureBytes are refused rather than allocated.
    // `room`, when given, is told the bytes the picture will take before it
    // is decoded.
    static QImage ReadPicture(const QString& path, Problem* problem = nullptr,
                              const std::function<void(qint64 bytes)>& room = {});

    // The pictures left off since the last call, in words, one line each.
    QStringList TakeLeftOff(UiLanguage language);

    void Clear() { entries_.clear(); }
    // The bytes the kept pictures and variants take.
    qint64 Bytes() const;

private:
    struct Entry {
        qint64 size = 0;
        QDateTime modified;
        QImage image;
        bool released = false;        // image dropped to keep a variant; decoded again when asked for
        QHash<int, QImage> variants;  // degrees, plus 1000 when reduced
    };
    Entry* Find(const QString& path);
    // The decoded picture, again when it was released.
    QImage Source(const QString& path);
    // Keeps a variant of the picture at `path`: room is made by releasing its
    // picture, then by dropping the others; one beyond the budget is not kept.
    void Keep(const QString& path, int key, const QImage& variant);
    // Makes room for `bytes` more within the budget by dropping what is kept.
    void MakeRoom(qint64 bytes);
    qint64 maxBytes_;
    QHash<QString, Entry> entries_;
    QMap<QString, Problem> leftOff_;
};

// The image turned clockwise by `degrees`.
QImage TurnedPicture(const QImage& image, int degrees);

// Whether a picture element's file is there to be drawn.
bool PictureFileExists(const QString& path);

}  // namespace kestrix
