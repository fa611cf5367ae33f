#!/usr/bin/env python3
"""Editing as a user expects it, in a real X window driven from outside: a click on a
text inside a frame drawn around it takes the text alone; forty presses of Down keep a
level line level; Paste three times gives three elements; Ctrl+Y redoes; a window 900
pixels wide reaches the tool bar buttons beyond its edge through the overflow buttons.
Exits 77 (skipped) when no X server can be started.

usage: editing_window.py KESTRIX KESTRIX_CLI"""
import os, time

from xwindow import Session, check, elements, settles, main


def run(kestrix, cli, work):
    s = Session(kestrix, work)
    saved = os.path.join(work, "editing.lab")
    try:
        s.start()
        s.tool("text")
        s.click(s.px((100, 200)))
        s.tool("rectangle")
        s.drag(s.px((10, 10)), s.px((380, 600)))  # a frame around the text, drawn after it
        text = s.px((110, 205))
        s.drag(text, (text[0] + 40, text[1] + 30))  # one press on the text, then moving it

        s.tool("line")
        s.drag(s.px((20, 620)), s.px((300, 620)))
        for _ in range(40):
            s.x("key", "Down")
        time.sleep(0.5)

        s.click(s.px((110 + 40 / s.scale[0], 205 + 30 / s.scale[1])))  # the text, where it went
        s.x("key", "ctrl+c")
        for _ in range(3):
            s.x("key", "ctrl+v")
            time.sleep(0.2)
        s.x("key", "ctrl+z")
        time.sleep(0.5)
        s.x("key", "ctrl+y")
        time.sleep(0.5)
        s.shot("edited.png")

        # 900 pixels wide: the last buttons of both bars are in the overflow menus.
        s.x("windowsize", "--sync", s.window, "900", "800")
        check(settles(s.locate, 10), "the narrow window shows the label")
        overflow = (s.client[0] + 900 - 11, s.client[1] + 21)
        for bar, shot in ((0, "overflow-main.png"), (42, "overflow-draw.png")):
            s.click((overflow[0], overflow[1] + bar))
            s.shot(shot)
            s.x("key", "Down", "Return")  # the first entry: Bottom Align, then Underline
            time.sleep(0.5)

        s.save_as(saved)
    finally:
        s.close()
    check("Ambiguous shortcut" not in open(os.path.join(work, "kestrix.err")).read(), "no key has two owners")

    made = elements(cli, saved)
    kinds = [e["nType"] for e in made]
    check(kinds == [0, 5, 4, 0, 0, 0], f"text, frame, line and three pasted texts, Ctrl+Y bringing one back: {kinds}")
    text, frame, line = made[0], made[1], made[2]
    check((frame["nPosX"], frame["nPosY"]) == tuple(s.dots(s.px((10, 10)))), "the frame stayed where it was drawn")
    check(text["nPosX"] > 100 and text["nPosY"] > 200, f"the text moved alone: {text['nPosX']}, {text['nPosY']}")
    check(line["nEndY"] == line["nPosY"],
          f"the line is level after 40 presses of Down: {line['nPosY']}, {line['nEndY']}")
    # The press's dot is known to one dot: the screen's scale is not exactly one pixel per dot.
    pressed = (s.px((20, 620))[1] - s.canvas[1]) / s.scale[1]
    check(abs(line["nPosY"] - 40 - pressed) < 1, f"and 40 dots lower: {line['nPosY']} from {pressed:.2f}")
    texts = [e for e in made if e["nType"] == 0]
    check(len(texts) == 4, "Paste three times gave three texts")
    check([t["nPosX"] - text["nPosX"] for t in texts] == [0, 10, 20, 30], "each 10 dots on from the last")
    check(len({t["nPosY"] for t in texts}) == 1, "Bottom Align, reached through the overflow menu, lined them up")
    check(all(t["logFont"]["lfUnderline"] == 1 for t in texts),
          "Underline, reached the same way, took the selected texts")


if __name__ == "__main__":
    main(run, __doc__)
