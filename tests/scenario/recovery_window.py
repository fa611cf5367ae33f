#!/usr/bin/env python3
"""The label of an editor that died, in real windows and in both languages: kill -9 with unsaved
changes, and the next start offers the label (with its file's name); Recover shows the lost elements
as unsaved work, Discard deletes them (a damaged folder is removed unoffered: RecoverableLabel's unit
test). An editor that cannot make its undo folder (a read-only or unusable temporary
folder) starts, says once that undo is unavailable, and editing works.
Exits 77 (skipped) when no X server can be started.

usage: recovery_window.py KESTRIX KESTRIX_CLI"""
import os, subprocess, time

from xwindow import Session, check, die_with_parent, kinds, settles, main

CHINESE = {"LANG": "zh_CN.UTF-8", "LC_ALL": "zh_CN.UTF-8"}
# The message boxes' captions as xdotool finds them ("Dravel标签编辑器": its regular expressions take
# no Chinese).
ENGLISH_BOX, CHINESE_BOX = "^Kestrix$", "^Dravel"


def undo_folders(work):
    return sorted(f for f in os.listdir(work) if f.startswith("kestrix-undo-"))


def answer(s, box, key, shot):
    s.x("search", "--sync", "--onlyvisible", "--name", box, timeout=20)
    time.sleep(0.5)
    s.shot(shot)
    s.x("key", key)
    check(settles(lambda: not s.visible(box)), f"the message box is answered with {key}")
    s.start()
    s.x("windowfocus", "--sync", s.window)  # no window manager gives it back


def edit(s, tool, at, title):
    s.tool(tool)
    s.click(s.px(at))
    check(s.titled(title), f"the {tool} marks the title: {title}")


def recovery(kestrix, cli, work):
    saved = os.path.join(work, "rec.lab")
    s = Session(kestrix, work)
    try:
        s.start()
        edit(s, "text", (20, 10), "Kestrix Editor - Untitled*")
        edit(s, "barcode", (20, 60), "Kestrix Editor - Untitled*")
        s.relaunch(kestrix)
        answer(s, ENGLISH_BOX, "Return", "recover-en.png")
        check(s.titled("Kestrix Editor - Untitled*"), "Recover brings the label back as unsaved work")
        check(len(undo_folders(work)) == 1, "the new window took over the dead one's folder")
        s.save_as(saved)
        check(kinds(cli, saved) == [0, 2], "with the lost elements")

        edit(s, "code2d", (20, 170), "Kestrix Editor - rec.lab*")
        s.relaunch(kestrix, **CHINESE)
        answer(s, CHINESE_BOX, "Return", "recover-zh.png")
        check(s.titled("Kestrix Editor - rec.lab*"), "in Chinese too, with the label's file")
        s.x("key", "ctrl+s")
        check(settles(lambda: kinds(cli, saved) == [0, 2, 3]), "Ctrl+S saves the recovered label to its file")

        edit(s, "rectangle", (200, 400), "Kestrix Editor - rec.lab*")
        s.relaunch(kestrix, **CHINESE)
        answer(s, CHINESE_BOX, "alt+d", "discard-zh.png")
        check(s.titled("Kestrix Editor - 无标题"), "Discard starts an empty label")
        check(settles(lambda: len(undo_folders(work)) == 1), "and deletes the dead editor's folder")
        check(kinds(cli, saved) == [0, 2, 3], "the saved file is as it was")

    finally:
        s.close()


def without_undo(kestrix, cli, work):
    unusable = os.path.join(work, "temp")
    with open(unusable, "w") as f:
        f.write("not a folder")
    read_only = os.path.join(work, "read-only")
    os.mkdir(read_only)
    # A read-only file system where one can be mounted (a private mount, gone with the editor);
    # else a temporary folder that is a file.
    mount = subprocess.run(["unshare", "-m", "true"], capture_output=True).returncode == 0
    s = Session(kestrix, work)
    try:
        s.start()
        made = undo_folders(work)  # the first editor's, before the temporary folder is taken away
        for language, box, shot in (({}, ENGLISH_BOX, "no-undo-en.png"), (CHINESE, CHINESE_BOX, "no-undo-zh.png")):
            s.app.kill()
            s.app.wait()
            env = dict(s.env, XDG_RUNTIME_DIR="", TMPDIR=unusable, **language)
            command = [kestrix]
            if mount and not language:
                env["TMPDIR"] = read_only
                command = ["unshare", "-m", "sh", "-c", 'mount -t tmpfs -o ro tmpfs "$0" && exec "$@"', read_only,
                           kestrix]
            s.app = subprocess.Popen(command, env=env, stderr=s.errors, preexec_fn=die_with_parent)
            answer(s, box, "Return", shot)
            edit(s, "text", (20, 10), "Kestrix Editor - " + ("无标题*" if language else "Untitled*"))
            edit(s, "barcode", (20, 60), "Kestrix Editor - " + ("无标题*" if language else "Untitled*"))
            check(not settles(lambda: s.visible(box), 1.5), "undo is said to be unavailable only once")
            if language:
                continue  # the Save As dialog's Chinese title is beyond xdotool's search
            saved = os.path.join(work, "no-undo.lab")
            s.save_as(saved)
            check(kinds(cli, saved) == [0, 2], "editing works")
        check(not undo_folders(read_only) and undo_folders(work) == made, "no undo folder was made")
    finally:
        s.close()


def run(kestrix, cli, work):
    for case in (recovery, without_undo):
        folder = os.path.join(work, case.__name__)
        os.mkdir(folder, 0o700)
        case(kestrix, cli, folder)


if __name__ == "__main__":
    main(run, __doc__)
