#pragma once

#include <QImage>

namespace kestrix::icons {

// The application icon at `size` x `size` pixels: a label printer feeding out a barcode label.
// Small sizes drop detail so they stay legible.
QImage PaintAppIcon(int size);

}  // namespace kestrix::icons
