#!/usr/bin/env python3
"""The editor in a real X window, driven from outside as a user drives it: Ctrl+N
after a menu was open, the Caps Lock pane, one element of each kind made with the
tools, a drag, a frame moved partly past the label's right edge that still shows its
handles there on the view's colour and is made wider by one, two corner resizes, one
Undo, Save, Exit; then kestrix-cli info on the saved label. Exits 77 (skipped) when no
X server can be started.

usage: real_window.py KESTRIX KESTRIX_CLI"""
import os, subprocess

from xwindow import Session, check, convert, differs, elements, settles, main


def black_near(image, at, reach=5):
    """A black pixel within `reach` of `at`, or None."""
    text = convert(image, "-crop", f"{2 * reach + 1}x{2 * reach + 1}+{at[0] - reach}+{at[1] - reach}", "+repage",
                   "txt:-")
    for line in text.splitlines()[1:]:
        if "#000000" in line:
            x, y = (int(v) for v in line.split(":")[0].split(","))
            return (at[0] - reach + x, at[1] - reach + y)
    return None


def past_the_edge(s):
    """A frame drawn at (300, 550), 80 x 60 dots, moved by its top side 60 dots on: 40 past the label's
    400 dots. Its middle right handle, 4 pixels right of the box and 4 above its middle, is dragged 30
    pixels further."""
    s.tool("rectangle")
    s.drag(s.px((300, 550)), s.px((380, 610)))
    s.drag(s.px((320, 550)), s.px((380, 550)))
    near = (s.canvas[0] + round(440 * s.scale[0]) + 5, s.canvas[1] + round(580 * s.scale[1]) - 2)
    edge = s.canvas[0] + round(400 * s.scale[0])
    check(near[0] > edge + 10, f"the handle lies past the label's right edge ({near[0]} > {edge})")
    check(settles(lambda: black_near(s.shot("moved.png"), near) is not None), "and is drawn there")
    handle = black_near(os.path.join(s.work, "moved.png"), near)
    beside = convert(os.path.join(s.work, "moved.png"), "-crop", f"1x1+{handle[0] + 20}+{handle[1]}", "txt:-")
    check("#408080" in beside, "on the view's colour around it")
    s.drag(handle, (handle[0] + 30, handle[1]))


def exit_through_menu(s):
    s.click((s.client[0] + 20, s.client[1] - 10))
    s.x("key", "x")
    try:
        s.app.wait(timeout=3)
    except subprocess.TimeoutExpired:
        s.x("key", "Escape")
        return False
    return True


def run(kestrix, cli, work):
    s = Session(kestrix, work)
    try:
        s.start()
        check(abs(s.scale[0] - 1) < 0.01, f"the start-up label is shown at one pixel per dot ({s.scale})")
        s.click((s.client[0] + 20, s.client[1] - 10))  # File
        s.x("key", "Escape")
        s.x("key", "ctrl+n")
        s.focus("New Label", timeout=20)  # Ctrl+N opens it after a menu was open
        s.x("key", "Escape")
        check(s.closes("New Label"), "Ctrl+N opens the New Label dialog after a menu was open; Escape closes it")
        before = s.shot("caps-off.png")
        s.x("key", "Caps_Lock")
        check(settles(lambda: differs(before, s.shot("caps-on.png"), "300x30+980+994")),
              "the status bar shows Caps Lock once it is pressed")
        s.x("key", "Caps_Lock")

        picture = os.path.join(work, "picture.png")
        convert("-size", "60x40", "xc:black", picture)
        expected = {}
        for name, at in (("text", (20, 10)), ("barcode", (20, 60)), ("code2d", (20, 170)), ("picture", (200, 170))):
            s.tool(name)
            s.click(s.px(at))
            if name == "picture":
                s.file_dialog("Open", picture)
            # The next tool is chosen once the editor shows this element (a dialog may still be closing).
            check(settles(lambda: s.inked((at[0] + 4, at[1] + 4))), f"the {name} shows where it was clicked")
            expected[name] = s.dots(s.px(at))
        s.tool("line")
        s.drag(s.px((20, 320)), s.px((300, 330)))
        check(settles(lambda: s.inked((156, 320), (10, 16))), "the line shows where it was drawn")
        s.tool("rectangle")
        s.drag(s.px((20, 400)), s.px((220, 500)))
        check(settles(lambda: s.inked((100, 397), (10, 8))), "the rectangle shows where it was drawn")
        rectangle = [int((s.px((220, 500))[k] - s.px((20, 400))[k]) / s.scale[k]) for k in (0, 1)]
        past_the_edge(s)

        grab = s.px((150, 100))  # the barcode's body
        s.drag(grab, (grab[0] + 40, grab[1] + 30))
        moved = [expected["barcode"][k] + int(d / s.scale[k]) for k, d in ((0, 40), (1, 30))]
        for inside, corner, size, pull in (((250, 200), (200, 170), (100, 66), (50, 34)),
                                           ((120, 450), (20, 400), rectangle, (30, 20))):
            s.click(s.px(inside))  # select, then drag handle 7, 4 pixels right and 2 below the box
            at = s.px(corner)
            at = (at[0] + int(size[0] * s.scale[0]) + 5, at[1] + int(size[1] * s.scale[1]) + 3)
            s.drag(at, (at[0] + pull[0], at[1] + pull[1]))
        picture_size = [int(100 + 50 / s.scale[0]), int(66 + 34 / s.scale[1])]
        s.shot("before-undo.png")
        s.x("key", "ctrl+z")
        check(s.titled("Kestrix Editor - Untitled*"), "the title marks unsaved changes")
        saved = os.path.join(work, "scenario.lab")
        s.save_as(saved)  # Ctrl+S on a new label
        # The file saved to is the label's own now; the mark goes.
        check(s.titled("Kestrix Editor - scenario.lab"), "the title names the saved file, with no mark")
        # File, Exit. A loaded machine may show the menu after the key went by: then ask again.
        check(settles(lambda: exit_through_menu(s), 30), "File, Exit ends the editor")
        check(s.app.returncode == 0, "File, Exit quits without a question after the save")
    finally:
        s.close()
    check("Ambiguous shortcut" not in open(os.path.join(work, "kestrix.err")).read(), "no key has two owners")

    made = elements(cli, saved)
    box = [[e["nPosX"], e["nPosY"], e["nWidth"], e["nHeight"]] for e in made]
    kinds = [e["nType"] for e in made]
    check(kinds == [0, 2, 3, 1, 4, 5, 5], f"one element of each kind and a frame, in the order made: {kinds}")
    check([b[:2] for b in (box[0], box[2], box[3])] == [expected["text"], expected["code2d"], expected["picture"]],
          f"text, 2D code and picture where they were clicked: {box}")
    check(box[1][:2] == moved, f"the barcode moved by the drag to {moved}")
    check(box[3][2:] == picture_size, f"the picture resized by its corner to {picture_size}")
    check(box[5][2:] == rectangle, f"the rectangle's resize undone in one step: {rectangle}")
    check(made[4]["nEndX"] > made[4]["nPosX"] + 250, "the line reaches where its end was dragged")
    check(abs(box[6][0] - 360) <= 1, f"the frame moved past the edge by its side: {box[6]}")
    wider = round(30 / s.scale[0])
    check(abs(box[6][2] - (80 + wider)) <= 2, f"the handle past the edge made it {wider} dots wider: {box[6]}")


if __name__ == "__main__":
    main(run, __doc__)
