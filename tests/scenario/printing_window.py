#!/usr/bin/env python3
"""Printing from the editor in a real X window to the simulated label printer on
127.0.0.1: File > Printer... set to its socket address, Direct Send with 3 copies
delivers 3 labels; a printer out of paper gets the question first, and No sends
nothing. (The chooser reopened on the address in use: PrinterDialog's and
DirectSend's unit tests.) Exits 77 (skipped) when no X server can be started.

usage: printing_window.py KESTRIX KESTRIX_CLI"""
import os, subprocess, time

from xwindow import Session, check, settles, main


class Printer:
    """tests/printer's simulated-printer program, driven through its command lines."""

    def __init__(self, program, work):
        self.process = subprocess.Popen([program, "--png-folder", work], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True)
        self.address = self.process.stdout.readline().strip()

    def ask(self, line):
        self.process.stdin.write(line + "\n")
        self.process.stdin.flush()
        return self.process.stdout.readline().strip()

    def labels(self):
        return int(self.ask("labels"))

    def close(self):
        self.process.stdin.close()
        self.process.wait(timeout=10)


def run(kestrix, cli, work):
    printer = Printer(os.path.join(os.path.dirname(cli), "simulated-printer"), work)
    s = Session(kestrix, work)
    try:
        s.start()

        def direct_send(copies):
            s.file_menu(*["Down"] * 6, "Return")
            s.focus("Direct Send")
            s.x("key", "ctrl+a")
            s.x("type", str(copies))
            s.x("key", "Return")

        s.file_menu("r")
        s.focus("Printer")
        s.x("key", "ctrl+a")
        s.x("type", "--delay", "5", printer.address)
        s.x("key", "Return")
        check(s.closes("Printer"), "the printer chooser takes the typed socket address")

        direct_send(3)
        check(settles(lambda: printer.labels() == 3), "Direct Send with 3 copies delivers 3 labels")
        check(os.path.exists(os.path.join(work, "label-0003.png")), "the printer printed the third label")
        s.shot("after-direct-send.png")

        printer.ask("state 4")  # out of paper
        direct_send(1)
        s.focus("Kestrix")
        s.shot("not-ready-question.png")
        s.x("key", "Escape")
        check(s.closes("Kestrix"), "the printer out of paper is asked about first; No closes the question")
        s.x("windowfocus", "--sync", s.window)
        time.sleep(1)
        check(printer.labels() == 3, "nothing is sent after No")
    finally:
        s.close()
        printer.close()


if __name__ == "__main__":
    main(run, __doc__)
