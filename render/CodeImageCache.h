#pragma once
// The images of encoded barcodes and two-dimensional codes, kept per element
// behind its 32-bit hCache handle so the barcode library runs once per element
// between property changes. A handle of 0, or one this cache no longer holds,
// means "not encoded yet".

#include <QHash>
#include <QImage>
#include <cstdint>

namespace kestrix {

class CodeImageCache {
public:
    // The image behind a handle, or nullptr.
    const QImage* Find(uint32_t handle) const;
    // Keeps an image and returns its new handle (never 0).
    uint32_t Store(QImage image);
    // Frees the image behind `handle` and sets it to 0.
    void Release(uint32_t& handle);
    // Keeps only the images whose handles `isAlive` accepts.
    template <typename Pred>
    void Retain(Pred isAlive) {
        for (auto it = images_.begin(); it != images_.end();)
            it = isAlive(it.key()) ? std::next(it) : images_.erase(it);
    }
    void Clear() { images_.clear(); }
    qsizetype Size() const { return images_.size(); }

private:
    QHash<uint32_t, QImage> images_;
    uint32_t next_ = 1;
};

}  // namespace kestrix
