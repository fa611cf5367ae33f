#!/usr/bin/env python3
"""Direct Send from the editor in a real X window to a raw queue of the private cupsd the tests
start, in front of the simulated label printer: a running queue prints without a word; after
cupsdisable the label waits and a warning names the queue and says it is stopped (in Chinese
too), until cupsenable prints it. A message box's text is selected and copied (a click on it,
Ctrl+A, Ctrl+C) and read with xclip. (A queue that rejects jobs: CupsPrintTest.) Exits 77
(skipped) when no X server or no test cupsd is there.

usage: cups_queue_window.py KESTRIX KESTRIX_CLI"""
import os, shutil, subprocess, sys, time

from printing_window import Printer
from recovery_window import CHINESE
from xwindow import Session, check, settles, main

QUEUE = "kestrix-window"


def says(text, what, *parts):
    """Checks that the message `text` holds every one of `parts`."""
    found = all(part in text for part in parts)
    check(found, what if found else f"{what}: {text!r}")


def run(kestrix, cli, work):
    cupsd = os.environ.get("KESTRIX_TEST_CUPSD", "")
    if not cupsd or not os.path.exists(os.path.join(cupsd, "cups.sock")) or not shutil.which("xclip"):
        print("SKIPPED: no test cupsd (ctest starts it) or no xclip (./setup.sh installs it)")
        sys.exit(77)
    socket = os.path.join(cupsd, "cups.sock")
    printer = Printer(os.path.join(os.path.dirname(cli), "simulated-printer"), work)
    subprocess.run([os.environ["KESTRIX_TEST_CUPSD_SCRIPT"], "queue", cupsd, QUEUE, printer.address, "-m", "raw"],
                   check=True)
    os.environ["CUPS_SERVER"] = socket
    s = Session(kestrix, work)

    def admin(*command):
        subprocess.run([*command, "-h", socket, QUEUE], check=True, capture_output=True)

    def appears(*known, timeout=20):
        """A window of the editor's other than `known` (its main window besides), once it shows, focused: found
        by the editor's process, as xdotool cannot match a Chinese title."""
        found = []

        def other():
            listed = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(s.app.pid)], env=s.env,
                                    capture_output=True, text=True).stdout.split()
            found[:] = [w for w in listed if w not in (s.window, *known)]
            return found

        check(settles(other, timeout), "a window comes up")
        s.x("windowfocus", "--sync", found[0])
        time.sleep(0.3)
        return found[0]

    def direct_send():
        """Direct Send of one label; the copies dialog it asked with."""
        s.file_menu("d")
        copies = appears()
        s.x("key", "ctrl+a")
        s.x("type", "1")
        s.x("key", "Return")
        return copies

    def message(copies, shot):
        """The text of the message box that comes up after the copies dialog, which is then closed."""
        box = appears(copies)
        s.shot(shot)
        at = dict(line.split("=") for line in s.x("getwindowgeometry", "--shell", box).split())
        s.click((int(at["X"]) + int(at["WIDTH"]) // 2, int(at["Y"]) + 18))  # on the text's first line
        s.x("key", "ctrl+a", "ctrl+c")
        time.sleep(0.3)
        text = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=s.env, capture_output=True,
                              text=True, timeout=10).stdout
        s.x("key", "Return")
        return text

    try:
        s.start()
        s.file_menu("r")
        appears()
        s.x("key", "ctrl+a")
        s.x("type", "--delay", "5", f"cups:{QUEUE}")
        s.x("key", "Return")
        check(s.closes("Printer"), "the printer chooser takes the CUPS queue")

        direct_send()
        check(settles(lambda: printer.labels() == 1, 20), "a running queue prints the label")

        admin("cupsdisable")
        text = message(direct_send(), "stopped-queue.png")
        says(text, "a stopped queue is named and said to hold the label",
             f"cups:{QUEUE} has the labels but does not print them now", "the queue is stopped",
             f"until the queue is started (cupsenable {QUEUE})")
        check(printer.labels() == 1, "the stopped queue holds the label")
        admin("cupsenable")
        check(settles(lambda: printer.labels() == 2, 20), "the label prints once the queue is started")

        admin("cupsdisable")
        s.relaunch(kestrix, **CHINESE)
        s.start()
        text = message(direct_send(), "stopped-queue-zh.png")
        says(text, "in Chinese too", f"cups:{QUEUE} 已收到标签，但现在不会打印", "the queue is stopped")
        admin("cupsenable")
        check(settles(lambda: printer.labels() == 3, 20), "and it prints once the queue is started")
    finally:
        s.close()
        printer.close()


if __name__ == "__main__":
    main(run, __doc__)
