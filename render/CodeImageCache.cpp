#include "render/CodeImageCache.h"

namespace kestrix {

const QImage* CodeImageCache::Find(uint32_t handle) const {
    if (handle == 0) return nullptr;
    auto it = images_.constFind(handle);
    return it == images_.cend() ? nullptr : &it.value();
}

uint32_t CodeImageCache::Store(QImage image) {
    while (next_ == 0 || images_.contains(next_)) ++next_;
    const uint32_t handle = next_++;
    images_.insert(handle, std::move(image));
    return handle;
}

void CodeImageCache::Release(uint32_t& handle) {
    images_.remove(handle);
    handle = 0;
}

}  // namespace kestrix
