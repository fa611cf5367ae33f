#!/usr/bin/env python3
"""Nothing a user did is lost, in real windows: Save As makes the new file the label's own and the
next Save writes only there; Ctrl+N with changes asks first and Cancel keeps the label; two editors
at once, an edit and Ctrl+Z in each, each shows only its own label. (A direct print of a serialized
label marking it changed is UndoHistory's unit test; printing on 127.0.0.1 is printing_window.py's.)
Exits 77 (skipped) when no X server can be started.

usage: undo_window.py KESTRIX KESTRIX_CLI"""
import os

from xwindow import Session, check, kinds, settles, main


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def save_as_then_save(s, cli, work):
    l1, l3 = os.path.join(work, "l1.lab"), os.path.join(work, "l3.lab")
    s.tool("text")
    s.click(s.px((20, 10)))
    s.save_as(l1)
    check(s.titled("Kestrix Editor - l1.lab"), "the first Save names the label after its file")
    s.tool("barcode")
    s.click(s.px((20, 60)))
    check(s.titled("Kestrix Editor - l1.lab*"), "an edit marks the title")
    s.file_menu(*["Down"] * 4, "Return")  # Save As
    s.file_dialog("Save As", l3)
    check(s.titled("Kestrix Editor - l3.lab"), "Save As makes l3.lab the label's file")
    old = read_bytes(l1)
    s.tool("code2d")
    s.click(s.px((20, 170)))
    s.x("key", "ctrl+s")
    check(settles(lambda: kinds(cli, l3) == [0, 2, 3]), "the next Ctrl+S writes l3.lab, without a dialog")
    check(read_bytes(l1) == old and kinds(cli, l1) == [0], "l1.lab keeps its bytes")
    check(s.titled("Kestrix Editor - l3.lab"), "saved: no mark")


def new_asks_first(s, cli, work):
    s.tool("rectangle")
    s.drag(s.px((100, 300)), s.px((200, 380)))
    check(s.titled("Kestrix Editor - l3.lab*"), "the rectangle marks the title")
    s.x("key", "ctrl+n")
    s.focus("Kestrix")  # Ctrl+N with changes asks whether to save them
    s.shot("new-question.png")
    s.x("key", "Escape")
    check(s.closes("Kestrix"), "Ctrl+N with changes asks first; Cancel closes the question")
    check(not settles(lambda: s.visible("^New Label$"), 1.5), "and no New Label dialog follows")
    check(s.title() == "Kestrix Editor - l3.lab*", "the label stays unsaved")
    s.x("windowfocus", "--sync", s.window)  # no window manager gives it back
    s.x("key", "ctrl+s")
    check(settles(lambda: kinds(cli, os.path.join(work, "l3.lab")) == [0, 2, 3, 5]), "and Ctrl+S saves it as it was")


def two_editors(kestrix, cli, work):
    a, b = Session(kestrix, work), Session(kestrix, work)
    try:
        a.start()
        b.start()
        for s, tools in ((a, (("text", (20, 10)), ("barcode", (20, 60)))),
                         (b, (("code2d", (20, 170)), ("text", (200, 400))))):
            for name, at in tools:
                s.tool(name)
                s.click(s.px(at))
        folders = [f for f in os.listdir(work) if f.startswith("kestrix-undo-")]
        check(len(folders) == 2, f"each editor has an undo folder of its own: {folders}")
        for s, name, expected in ((a, "a.lab", [0]), (b, "b.lab", [3])):
            s.x("key", "ctrl+z")
            s.save_as(os.path.join(work, name))
            check(kinds(cli, os.path.join(work, name)) == expected,
                  f"Ctrl+Z shows only its own editor's label: {name} holds {expected}")
        a.shot("editor-a.png")
        b.shot("editor-b.png")
    finally:
        a.close()
        b.close()


def run(kestrix, cli, work):
    s = Session(kestrix, work)
    try:
        s.start()
        save_as_then_save(s, cli, work)
        new_asks_first(s, cli, work)
    finally:
        s.close()
    for case in (two_editors,):
        folder = os.path.join(work, case.__name__)
        os.mkdir(folder, 0o700)
        case(kestrix, cli, folder)


if __name__ == "__main__":
    main(run, __doc__)
