"""What the real-window scenarios share: a private Xvfb display with the editor in it, driven
with xdotool and looked at with ImageMagick, as a user drives and sees it. A scenario exits 77
(skipped) when no X server can be started."""
import ctypes, json, os, shutil, subprocess, sys, tempfile, time

LABEL_DOTS = (203 * 50 / 25.4 + 0.5, 203 * 80 / 25.4 + 0.5)  # the start-up label, 50 x 80 mm
VIEW_AT = (25, 109)  # the view's first pixel that the ruler leaves uncovered, in the client area
TEAL = "rgb(64,128,128)"  # the view's background
TOOLS = {"text": 1, "code2d": 2, "barcode": 3, "picture": 4, "line": 5, "rectangle": 6}


def check(condition, what):
    if not condition:
        raise AssertionError(what)
    print(f"ok  {what}")


def settles(condition, timeout=8.0):
    """Whether `condition` holds within `timeout` seconds: a loaded machine may be slow to show it."""
    end = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > end:
            return False
        time.sleep(0.1)
    return True


def die_with_parent():
    """Xvfb and the editor end with this script, even when it is killed."""
    ctypes.CDLL("libc.so.6").prctl(1, 9)  # PR_SET_PDEATHSIG, SIGKILL


def convert(*args):
    return subprocess.run(["convert", *args], capture_output=True, text=True, check=True).stdout


def differs(before, after, area):
    """Whether two screenshots differ within `area` ("WxH+X+Y")."""
    done = subprocess.run(["compare", "-metric", "AE", "-extract", area, before, after, "null:"],
                          capture_output=True, text=True)
    return float(done.stderr.split()[0]) > 0


def elements(cli, path):
    """The elements of the label file `path`, as kestrix-cli info reads them."""
    out = subprocess.run([cli, "info", path], capture_output=True, text=True, check=True).stdout
    return json.loads(out)["elements"]


def kinds(cli, path):
    return [e["nType"] for e in elements(cli, path)]


class Session:
    def __init__(self, kestrix, work):
        self.work = work
        missing = [t for t in ("Xvfb", "xdotool", "import", "convert") if not shutil.which(t)]
        if missing:
            print(f"SKIPPED: {', '.join(missing)} not installed (./setup.sh installs them)")
            sys.exit(77)
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten",
                                      "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL,
                                     preexec_fn=die_with_parent)
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if not number:
            print("SKIPPED: no X server could be started (Xvfb failed)")
            sys.exit(77)
        self.env = dict(os.environ, DISPLAY=f":{number}", QT_QPA_PLATFORM="xcb", LANG="C.UTF-8", LC_ALL="C.UTF-8",
                        HOME=work, TMPDIR=work, XDG_CONFIG_HOME=work, XDG_RUNTIME_DIR=work)
        self.errors = open(os.path.join(work, "kestrix.err"), "a")
        self.app = self.launch(kestrix)

    def launch(self, kestrix, args=(), **env):
        """Starts an editor on this display, `env` changing its environment."""
        return subprocess.Popen([kestrix, *args], env=dict(self.env, **env), stderr=self.errors,
                                preexec_fn=die_with_parent)

    def relaunch(self, kestrix, args=(), **env):
        """kill -9 of the editor, as a crash or a power cut ends it, and a new start."""
        self.app.kill()
        self.app.wait()
        self.app = self.launch(kestrix, args, **env)

    def start(self):
        self.window = self.x("search", "--sync", "--name", "^Kestrix Editor", timeout=20).split()[0]
        check(settles(self.locate, 20), "the editor shows its window")

    def locate(self):
        """The client area from the view's teal, the canvas from its white; false before they show."""
        image = self.shot("start.png")
        if "64,128,128" not in convert(image, "-crop", "1x1+100+500", "txt:-"):
            return False
        top = self.first_line(image, (200, 300, 60, 0), "rows")
        left = self.first_line(image, (100, 200, 0, top + 10), "columns")
        self.client = (left - VIEW_AT[0], top - VIEW_AT[1])
        size, x, y = convert(image, "-crop", f"{1270 - left}x800+{left}+{top}", "+repage", "-fill", "black",
                             "+opaque", "white", "-format", "%@", "info:").strip().split("+")
        width, height = (int(v) for v in size.split("x"))
        self.canvas = (left + int(x), top + int(y))
        self.scale = (width / LABEL_DOTS[0], height / LABEL_DOTS[1])
        return True

    def close(self):
        for process in (self.app, self.xvfb):
            if process.poll() is None:
                process.kill()
                process.wait()
        self.errors.close()

    def x(self, *args, timeout=10):
        for _ in range(3):
            done = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True, timeout=timeout)
            # A window that closes while xdotool looks through the windows fails its search: look again.
            if "BadWindow" not in done.stderr:
                break
        if done.returncode != 0:
            raise AssertionError(f"xdotool {' '.join(args)}: {done.stderr.strip()}")
        return done.stdout

    def title(self):
        return self.x("getwindowname", self.window).strip()

    def titled(self, text):
        return settles(lambda: self.title() == text)

    def visible(self, title):
        """Whether a window whose name matches `title` (a regular expression) shows."""
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], env=self.env,
                              capture_output=True).returncode == 0

    def focus(self, title, timeout=10):
        """The window named `title` once it shows, focused."""
        found = self.x("search", "--sync", "--onlyvisible", "--name", f"^{title}$", timeout=timeout).split()[0]
        time.sleep(0.5)  # a dialog just mapped may not take keys yet
        self.x("windowfocus", "--sync", found)
        return found

    def save_as(self, path):
        """Ctrl+S on a label without a file: the Save As dialog takes `path`."""
        self.x("key", "ctrl+s")
        self.file_dialog("Save As", path)
        check(settles(lambda: os.path.exists(path)), f"the label is saved as {os.path.basename(path)}")

    def shot(self, name):
        path = os.path.join(self.work, name)
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True, timeout=20)
        return path

    @staticmethod
    def first_line(image, crop, across):
        """The first row (or column) of `crop` (w, h, x, y) that is teal from end to end."""
        w, h, x, y = crop
        text = convert(image, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-fill", "black", "+opaque", TEAL, "-fill",
                       "white", "-opaque", TEAL, "-colorspace", "gray", "-scale",
                       f"1x{h}!" if across == "rows" else f"{w}x1!", "txt:-")
        for line in text.splitlines()[1:]:
            if "(255" in line.replace(" ", "") or "white" in line:
                i = int(line.split(":")[0].split(",")[1 if across == "rows" else 0])
                return i + (y if across == "rows" else x)
        raise AssertionError(f"no teal line in {crop}")

    def inked(self, dots, size=(24, 16)):
        """Whether the screen shows anything but white in `size` pixels right of and below the label point `dots`."""
        x, y = self.px(dots)
        darkest = convert(self.shot("inked.png"), "-crop", f"{size[0]}x{size[1]}+{x}+{y}", "-colorspace", "gray",
                          "-format", "%[fx:minima]", "info:")
        return float(darkest) < 0.5

    def px(self, dots):
        return [self.canvas[i] + int(dots[i] * self.scale[i]) for i in (0, 1)]

    def dots(self, screen):
        return [int((screen[i] - self.canvas[i]) / self.scale[i]) for i in (0, 1)]

    def click(self, at, button="1"):
        self.x("mousemove", *map(str, at), "click", button)
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

    def tool(self, name):
        # The tool bar posts its command: give it time to arrive before the canvas is pressed.
        self.click((self.client[0] + 43 * TOOLS[name] + 22, self.client[1] + 63))
        time.sleep(0.5)

    def file_menu(self, *keys):
        """Opens the File menu and types `keys` into it: a mnemonic, or arrows and Return."""
        self.x("windowfocus", "--sync", self.window)
        self.click((self.client[0] + 20, self.client[1] - 10))
        time.sleep(0.3)
        self.x("key", "--delay", "80", *keys)

    def file_dialog(self, title, path, over_main=True):
        self.focus(title)
        self.x("key", "ctrl+a")
        self.x("type", "--delay", "5", path)
        self.x("key", "Return")
        check(self.closes(title), f"the {title} dialog takes the typed path")
        if over_main:
            check(self.takes_input(), "the main window takes input again")

    def takes_input(self):
        """Whether the main window follows the pointer again (its status bar's pointer pane changes): a modal
        dialog that has just closed may still drop the clicks meant for the window."""
        lines = self.x("getwindowgeometry", self.window).split("\n")
        x, y = (int(v) for v in lines[1].split()[1].split(","))
        width, height = (int(v) for v in lines[2].split()[1].split("x"))
        pane = f"{width}x20+{x}+{y + height - 22}"  # the status bar
        spots = [self.px((40, 40)), self.px((200, 300))]

        def follows():
            before = self.shot("pointer-before.png")
            self.x("mousemove", *map(str, spots[0]))
            spots.reverse()
            return settles(lambda: differs(before, self.shot("pointer-after.png"), pane), 1)

        return settles(follows, 10)

    def closes(self, title):
        """Whether the window `title` goes away: clicks on the main window are lost while it is up."""
        return settles(lambda: not self.visible(f"^{title}$"))


def main(run, doc):
    """Runs `run(kestrix, cli, work)` in a fresh folder kept only when it fails (or with KESTRIX_KEEP_SHOTS)."""
    if len(sys.argv) != 3:
        sys.exit(doc)
    work = tempfile.mkdtemp(prefix="kestrix-scenario-")
    try:
        run(sys.argv[1], sys.argv[2], work)
    except (AssertionError, subprocess.SubprocessError) as failure:
        sys.exit(f"FAILED: {failure} (screenshots in {work})")
    if not os.environ.get("KESTRIX_KEEP_SHOTS"):
        shutil.rmtree(work, ignore_errors=True)
