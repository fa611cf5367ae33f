#pragma once
// Whether a lock key (Caps, Num, Scroll) is on, from the keyboard LEDs that
// the kernel exposes under /sys/class/leds ("*::capslock" and so on).

#include <QString>

namespace kestrix {

// `led` is "capslock", "numlock" or "scrolllock"; `root` is the LED class folder.
bool LockKeyOn(const QString& led, const QString& root = QStringLiteral("/sys/class/leds"));

}  // namespace kestrix
