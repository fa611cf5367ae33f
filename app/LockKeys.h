#pragma once
// Whether the lock keys (Caps, Num, Scroll) are on: from the X server's
// keyboard LEDs when the editor runs on X11, which follows every keyboard of
// the session; elsewhere from the LEDs the kernel exposes under /sys/class/leds.

#include <QString>

namespace kestrix {

struct LockStates {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The lock keys as the display shows them now.
LockStates CurrentLockStates();

// The kernel's view: `led` is "capslock", "numlock" or "scrolllock"; `root` is the LED class folder.
bool LockKeyOn(const QString& led, const QString& root = QStringLiteral("/sys/class/leds"));

}  // namespace kestrix
