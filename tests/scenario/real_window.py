#!/usr/bin/env python3
"""The editor in a real X window, driven from outside as a user would drive it.

Starts kestrix on a private Xvfb display, checks that Ctrl+N still works after a
menu was opened and that the Caps Lock pane follows the key, then creates one
element of each kind with the tools, drags one, resizes two by a corner handle,
undoes the last resize, saves, quits, and reads the saved label back with
kestrix-cli info. Exits 77 (skipped) when no X server can be started.

usage: real_window.py KESTRIX KESTRIX_CLI
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
LABEL_DOTS = (203 * 50 / 25.4 + 0.5, 203 * 80 / 25.4 + 0.5)  # the start-up label, 50 x 80 mm
VIEW_AT = (25, 109)  # the first pixel of the view that the ruler leaves uncovered, in the client area
TOOLS = {"text": 1, "code2d": 2, "barcode": 3, "picture": 4, "line": 5, "rectangle": 6}


def skip(why):
    print(f"SKIPPED: {why}")
    sys.exit(SKIP)


class Session:
    def __init__(self, kestrix, work):
        self.work = work
        for tool in ("Xvfb", "xdotool", "import", "convert"):
            if not shutil.which(tool):
                skip(f"{tool} is not installed (./setup.sh installs it)")
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                     pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.xvfb.kill()
            skip("no X server could be started (Xvfb failed)")
        self.env = dict(os.environ, DISPLAY=f":{number}", QT_QPA_PLATFORM="xcb", LANG="C.UTF-8", LC_ALL="C.UTF-8",
                        LANGUAGE="", HOME=work, TMPDIR=work, XDG_CONFIG_HOME=work, XDG_RUNTIME_DIR=work)
        self.env.pop("QT_QPA_PLATFORMTHEME", None)
        self.stderr = open(os.path.join(work, "kestrix.err"), "w")
        self.app = subprocess.Popen([kestrix], env=self.env, stderr=self.stderr)
        self.window = self.x("search", "--sync", "--name", "^Kestrix Editor", timeout=20).split()[0]
        time.sleep(1.0)
        self.locate()

    def close(self):
        for process in (self.app, self.xvfb):
            if process.poll() is None:
                process.kill()
                process.wait()
        self.stderr.close()

    def x(self, *args, timeout=10):
        done = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True, timeout=timeout)
        if done.returncode != 0:
            raise AssertionError(f"xdotool {' '.join(args)}: {done.stderr.strip()}")
        return done.stdout

    def shot(self, name):
        path = os.path.join(self.work, name)
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True, timeout=20)
        return path

    @staticmethod
    def first_full_line(image, crop, colour, across):
        """The first row (across="rows") or column of `crop` (w, h, x, y) made of `colour` alone."""
        w, h, x, y = crop
        squeeze = f"1x{h}!" if across == "rows" else f"{w}x1!"
        text = subprocess.run(["convert", image, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-fill", "black", "+opaque",
                               colour, "-fill", "white", "-opaque", colour, "-colorspace", "gray", "-scale", squeeze,
                               "txt:-"], capture_output=True, text=True, check=True).stdout
        for line in text.splitlines()[1:]:
            place, _, rest = line.partition(":")
            if "(255" in rest.replace(" ", "") or "white" in rest:
                i = int(place.split(",")[1 if across == "rows" else 0])
                return i + (y if across == "rows" else x)
        raise AssertionError(f"no line of {colour} in {crop}")

    def locate(self):
        """The client area from the view's teal background, the canvas from its white."""
        image = self.shot("start.png")
        teal = "rgb(64,128,128)"
        top = self.first_full_line(image, (200, 300, 60, 0), teal, "rows")
        left = self.first_full_line(image, (100, 200, 0, top + 10), teal, "columns")
        self.client = (left - VIEW_AT[0], top - VIEW_AT[1])
        out = subprocess.run(["convert", image, "-crop", f"{1270 - left}x{800}+{left}+{top}", "+repage", "-fill",
                              "black", "+opaque", "white", "-format", "%@", "info:"],
                             capture_output=True, text=True, check=True).stdout
        size, x, y = out.strip().split("+")
        width, height = (int(v) for v in size.split("x"))
        self.canvas = (left + int(x), top + int(y))
        self.scale = (width / LABEL_DOTS[0], height / LABEL_DOTS[1])

    def px(self, dots):
        """Screen pixels of a point in dots on the canvas."""
        return [self.canvas[i] + int(dots[i] * self.scale[i]) for i in (0, 1)]

    def dots(self, screen):
        """Dots of a screen point on the canvas, as the canvas takes them."""
        return [int((screen[i] - self.canvas[i]) / self.scale[i]) for i in (0, 1)]

    def tool(self, name):
        self.x("mousemove", str(self.client[0] + 43 * TOOLS[name] + 22), str(self.client[1] + 63), "click", "1")
        time.sleep(0.2)

    def drag(self, start, end, steps=6):
        self.x("mousemove", *map(str, start))
        time.sleep(0.1)
        self.x("mousedown", "1")
        for i in range(1, steps + 1):
            self.x("mousemove", *(str(start[k] + (end[k] - start[k]) * i // steps) for k in (0, 1)))
            time.sleep(0.03)
        self.x("mouseup", "1")
        time.sleep(0.2)

    def click(self, at):
        self.x("mousemove", *map(str, at), "click", "1")
        time.sleep(0.2)

    def dialog(self, title, typed):
        """Types a full path into the file dialog named `title` and accepts it."""
        found = self.x("search", "--sync", "--onlyvisible", "--name", f"^{title}$", timeout=10).split()[0]
        time.sleep(0.5)
        self.x("windowfocus", "--sync", found)
        self.x("key", "ctrl+a")
        self.x("type", "--delay", "5", typed)
        self.x("key", "Return")
        time.sleep(0.5)


def check(condition, what):
    if not condition:
        raise AssertionError(what)
    print(f"ok  {what}")


def run(kestrix, cli):
    work = tempfile.mkdtemp(prefix="kestrix-scenario-")
    print(f"working in {work} (kept when a check fails)")
    s = Session(kestrix, work)
    try:
        check(abs(s.scale[0] - 1) < 0.01, f"the start-up label is shown at one pixel per dot ({s.scale})")
        # A menu opened once must not take Ctrl+N away.
        s.click((s.client[0] + 20, s.client[1] - 10))
        s.x("key", "Escape")
        time.sleep(0.2)
        s.x("key", "ctrl+n")
        found = s.x("search", "--sync", "--onlyvisible", "--name", "^New Label$", timeout=5).split()
        check(len(found) == 1, "Ctrl+N opens the New Label dialog after a menu was open")
        s.x("key", "Escape")
        time.sleep(0.3)
        # The lock panes follow Caps Lock.
        bar = (300, 30, 980, 1024 - 30)
        before = s.shot("caps-off.png")
        s.x("key", "Caps_Lock")
        time.sleep(0.4)
        after = s.shot("caps-on.png")
        s.x("key", "Caps_Lock")
        time.sleep(0.3)
        differ = subprocess.run(["compare", "-metric", "AE", "-extract", "%dx%d+%d+%d" % bar, before, after, "null:"],
                                capture_output=True, text=True).stderr
        check(float(differ.split()[0]) > 0, "the status bar shows Caps Lock once it is pressed")

        picture = os.path.join(work, "picture.png")
        subprocess.run(["convert", "-size", "60x40", "xc:black", picture], check=True)
        places = {"text": (20, 10), "barcode": (20, 60), "code2d": (20, 170), "picture": (200, 170)}
        expected = {}
        for name in ("text", "barcode", "code2d", "picture"):
            s.tool(name)
            at = s.px(places[name])
            s.click(at)
            if name == "picture":
                s.dialog("Open", picture)
            expected[name] = s.dots(at)
        s.tool("line")
        s.drag(s.px((20, 320)), s.px((300, 330)))
        s.tool("rectangle")
        rect_from, rect_to = s.px((20, 400)), s.px((220, 500))
        s.drag(rect_from, rect_to)
        rect_size = [int((rect_to[k] - rect_from[k]) / s.scale[k]) for k in (0, 1)]

        # Drag the barcode by its body; resize the picture and then the rectangle by their corners.
        grab = s.px((150, 100))
        s.drag(grab, (grab[0] + 40, grab[1] + 30))
        moved = [expected["barcode"][k] + int(d / s.scale[k]) for k, d in ((0, 40), (1, 30))]
        s.click(s.px((250, 200)))
        corner = s.px((200, 170))
        corner = (corner[0] + int(100 * s.scale[0]) + 5, corner[1] + int(66 * s.scale[1]) + 3)
        s.shot("selected-picture.png")
        s.drag(corner, (corner[0] + 50, corner[1] + 34))
        picture_size = [int(100 + 50 / s.scale[0]), int(66 + 34 / s.scale[1])]
        s.click(s.px((120, 450)))
        corner = s.px((20, 400))
        corner = (corner[0] + int(rect_size[0] * s.scale[0]) + 5, corner[1] + int(rect_size[1] * s.scale[1]) + 3)
        s.drag(corner, (corner[0] + 30, corner[1] + 20))
        s.shot("before-undo.png")
        s.x("key", "ctrl+z")
        time.sleep(0.3)
        check("Untitled*" in s.x("getwindowname", s.window), "the title marks unsaved changes")

        saved = os.path.join(work, "scenario.lab")
        s.x("key", "ctrl+s")
        s.dialog("Save As", saved)
        check(os.path.exists(saved), "Ctrl+S on a new label saves through the Save As dialog")
        # Save As never takes the new path as the label's own; the mark goes.
        check(s.x("getwindowname", s.window).strip() == "Kestrix Editor - Untitled", "the title has no mark once saved")
        s.shot("saved.png")
        s.click((s.client[0] + 20, s.client[1] - 10))  # File
        s.x("key", "x")
        s.app.wait(timeout=10)
        check(s.app.returncode == 0, "File, Exit quits without a question after the save")
    finally:
        s.close()
    errors = open(os.path.join(work, "kestrix.err")).read()
    check("Ambiguous shortcut" not in errors, "no key has two owners")

    info = json.loads(subprocess.run([cli, "info", saved], capture_output=True, text=True, check=True).stdout)
    elements = info["elements"]
    check([e["nType"] for e in elements] == [0, 2, 3, 1, 4, 5], "one element of each kind, in the order made")
    at = [[e["nPosX"], e["nPosY"]] for e in elements]
    check(at[0] == expected["text"] and at[2] == expected["code2d"] and at[3] == expected["picture"],
          f"text, 2D code and picture where they were clicked: {at[:4]}")
    check(at[1] == moved, f"the barcode moved by the drag: {at[1]} == {moved}")
    check([elements[3]["nWidth"], elements[3]["nHeight"]] == picture_size,
          f"the picture resized by its corner: {[elements[3]['nWidth'], elements[3]['nHeight']]} == {picture_size}")
    check([elements[5]["nWidth"], elements[5]["nHeight"]] == rect_size,
          f"the rectangle's resize undone in one step: {[elements[5]['nWidth'], elements[5]['nHeight']]} == {rect_size}")
    check(elements[4]["nEndX"] > elements[4]["nPosX"] + 250, "the line reaches to where its end was dragged")
    if os.environ.get("KESTRIX_KEEP_SHOTS"):
        print(f"screenshots kept in {work}")
    else:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    try:
        run(sys.argv[1], sys.argv[2])
    except (AssertionError, subprocess.SubprocessError) as failure:
        print(f"FAILED: {failure}")
        sys.exit(1)
