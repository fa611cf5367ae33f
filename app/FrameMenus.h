#pragma once
// The main frame's menus in both languages and the keys of its commands.

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <initializer_list>
#include <span>

namespace kestrix {

struct MenuItem {
    int id;  // 0: separator
    const char* english;
    const char* chinese;
};

struct MenuDef {
    const char* english;
    const char* chinese;
    std::initializer_list<MenuItem> items;
};

// The menu bar, left to right. The key each entry shows comes from the
// accelerator table.
std::span<const MenuDef> FrameMenus();

// The keys of a command: Qt's standard keys of the desktop first, then the
// usual others. A key claimed by an earlier row is not bound again.
struct Accelerator {
    int id;
    QKeySequence::StandardKey standard;
    std::initializer_list<QKeyCombination> keys;
};

std::span<const Accelerator> FrameAccelerators();

// Every key of each command, each key once over the whole table. Delete and
// the arrows are the canvas's keys, never accelerators.
QHash<int, QList<QKeySequence>> AcceleratorKeys();

}  // namespace kestrix
