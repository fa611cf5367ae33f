#pragma once
// The images of encoded barcodes and two-dimensional codes, kept per element
// behind its 32-bit hCache handle so the barcode library runs once per element
// between property changes. A handle of 0, or one this cache no longer holds,
// means "not encoded yet". The images are held at module size, and only up to
// a budget of pixels: past it the least recently used go and are encoded again
// when next drawn, so memory follows the label's size, not its count of codes.

#include <QHash>
#include <cstdint>
#include <list>

#include "render/CodeImage.h"

namespace kestrix {

class CodeImageCache {
public:
    // Module pixels kept at most (4 bytes each), besides the newest image.
    static constexpr qint64 kMaxPixels = qint64(16) << 20;

    explicit CodeImageCache(qint64 maxPixels = kMaxPixels) : maxPixels_(maxPixels) {}

    // The image behind a handle, or nullptr; it becomes the most recently used.
    // The pointer lasts until the next Store.
    const CodeImage* Find(uint32_t handle);
    // Keeps an image and returns its new handle (never 0).
    uint32_t Store(CodeImage image);
    // Frees the image behind `handle` and sets it to 0.
    void Release(uint32_t& handle);
    // Keeps only the images whose handles `isAlive` accepts.
    template <typename Pred>
    void Retain(Pred isAlive) {
        for (auto it = entries_.begin(); it != entries_.end();) it = isAlive(it.key()) ? std::next(it) : Erase(it);
    }
    void Clear();
    qsizetype Size() const { return entries_.size(); }
    qint64 Pixels() const { return pixels_; }

private:
    struct Entry {
        CodeImage image;
        std::list<uint32_t>::iterator use;
    };
    QHash<uint32_t, Entry>::iterator Erase(QHash<uint32_t, Entry>::iterator it);

    QHash<uint32_t, Entry> entries_;
    std::list<uint32_t> uses_;  // least recently used first
    qint64 pixels_ = 0;
    qint64 maxPixels_;
    uint32_t next_ = 1;
};

}  // namespace kestrix
