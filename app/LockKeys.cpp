#include "app/LockKeys.h"

#include <xcb/xcb.h>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <optional>

namespace kestrix {

namespace {

// The X server's LED mask: LED 1 is Caps Lock, 2 Num Lock, 3 Scroll Lock.
std::optional<uint32_t> X11LedMask() {
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return std::nullopt;
    const std::unique_ptr<xcb_get_keyboard_control_reply_t, decltype(&std::free)> reply(
        xcb_get_keyboard_control_reply(connection, xcb_get_keyboard_control(connection), nullptr), &std::free);
    if (!reply) return std::nullopt;
    return reply->led_mask;
}

}  // namespace

LockStates CurrentLockStates() {
    if (const std::optional<uint32_t> mask = X11LedMask())
        return {(*mask & 1u) != 0, (*mask & 2u) != 0, (*mask & 4u) != 0};
    return {LockKeyOn(QStringLiteral("capslock")), LockKeyOn(QStringLiteral("numlock")),
            LockKeyOn(QStringLiteral("scrolllock"))};
}

bool LockKeyOn(const QString& led, const QString& root) {
    const QDir dir(root);
    for (const QString& name : dir.entryList({QStringLiteral("*::") + led}, QDir::Dirs | QDir::System)) {
        QFile brightness(dir.filePath(name + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed().toInt() > 0) return true;
    }
    return false;
}

}  // namespace kestrix
