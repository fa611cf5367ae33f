#include "render/CodeImageCache.h"

namespace kestrix {

const CodeImage* CodeImageCache::Find(uint32_t handle) {
    if (handle == 0) return nullptr;
    auto it = entries_.find(handle);
    if (it == entries_.end()) return nullptr;
    uses_.splice(uses_.end(), uses_, it->use);
    return &it->image;
}

uint32_t CodeImageCache::Store(CodeImage image) {
    while (next_ == 0 || entries_.contains(next_)) ++next_;
    const uint32_t handle = next_++;
    pixels_ += image.PixelCount();
    uses_.push_back(handle);
    entries_.insert(handle, Entry{std::move(image), std::prev(uses_.end())});
    while (pixels_ > maxPixels_ && uses_.front() != handle) Erase(entries_.find(uses_.front()));
    return handle;
}

void CodeImageCache::Release(uint32_t& handle) {
    auto it = entries_.find(handle);
    if (it != entries_.end()) Erase(it);
    handle = 0;
}

void CodeImageCache::Clear() {
    entries_.clear();
    uses_.clear();
    pixels_ = 0;
}

QHash<uint32_t, CodeImageCache::Entry>::iterator CodeImageCache::Erase(QHash<uint32_t, Entry>::iterator it) {
    pixels_ -= it->image.PixelCount();
    uses_.erase(it->use);
    return entries_.erase(it);
}

}  // namespace kestrix
