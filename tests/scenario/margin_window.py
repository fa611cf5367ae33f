#!/usr/bin/env python3
"""Past the label's edge, in a real X window driven from outside: a frame moved partly past
the label's right edge still shows its handles there, on the view's colour, and a drag on the
handle outside the label makes it wider. Exits 77 (skipped) when no X server can be started.

usage: margin_window.py KESTRIX KESTRIX_CLI"""
import os

from xwindow import Session, check, convert, elements, settles, main

LABEL_WIDE = 400  # dots of the start-up label, 50 mm at 203 dpi


def black_near(image, at, reach=5):
    """A black pixel within `reach` of `at`, or None."""
    text = convert(image, "-crop", f"{2 * reach + 1}x{2 * reach + 1}+{at[0] - reach}+{at[1] - reach}", "+repage",
                   "txt:-")
    for line in text.splitlines()[1:]:
        if "#000000" in line:
            x, y = (int(v) for v in line.split(":")[0].split(","))
            return (at[0] - reach + x, at[1] - reach + y)
    return None


def run(kestrix, cli, work):
    s = Session(kestrix, work)
    saved = os.path.join(work, "margin.lab")
    try:
        s.start()
        s.tool("rectangle")
        s.drag(s.px((300, 300)), s.px((380, 360)))
        s.drag(s.px((320, 300)), s.px((380, 300)))  # by its top side, 60 dots on: 40 past the edge
        # The right-hand handles sit 4 pixels right of the box; the middle one 4 above its middle.
        near = (s.canvas[0] + round(440 * s.scale[0]) + 5, s.canvas[1] + round(330 * s.scale[1]) - 2)
        edge = s.canvas[0] + round(LABEL_WIDE * s.scale[0])
        check(near[0] > edge + 10, f"the handle lies past the label's right edge ({near[0]} > {edge})")
        check(settles(lambda: black_near(s.shot("moved.png"), near) is not None), "and is drawn there")
        handle = black_near(os.path.join(work, "moved.png"), near)
        beside = convert(os.path.join(work, "moved.png"), "-crop", f"1x1+{handle[0] + 20}+{handle[1]}", "txt:-")
        check("#408080" in beside, "on the view's colour around it")

        s.drag(handle, (handle[0] + 30, handle[1]))
        s.shot("resized.png")
        s.save_as(saved)
    finally:
        s.close()

    frame = elements(cli, saved)[0]
    check(abs(frame["nPosX"] - 360) <= 1, f"the frame moved 60 dots: {frame['nPosX']}")
    wider = round(30 / s.scale[0])
    check(abs(frame["nWidth"] - (80 + wider)) <= 2, f"the handle past the edge made it {wider} dots wider: "
          f"{frame['nWidth']}")


if __name__ == "__main__":
    main(run, __doc__)
