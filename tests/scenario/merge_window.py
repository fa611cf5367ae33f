#!/usr/bin/env python3
"""Data merge in real windows: Input File opens the data dialog, Choose File takes a 3-row CSV, OK
shows row 1 on the canvas (its barcode read back from the screen), and Direct Send sends one label
per row to the simulated printer on 127.0.0.1, whose printed labels carry the rows' barcodes in
file order. Exits 77 (skipped) when no X server can be started.

usage: merge_window.py KESTRIX KESTRIX_CLI"""
import os, shutil, subprocess

from xwindow import Session, check, die_with_parent, settles, main

EXAMPLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples", "products.lab")
ROWS = [("KX-TEA-0100", "Green Tea"), ("KX-COF-0250", "Coffee, dark"), ("KX-HON-0500", "Honey")]
INPUT_FILE = 9  # the main tool bar's tenth button, command 139


def barcodes(image):
    """The Code 128 texts ZXingReader reads in `image`."""
    out = subprocess.run(["ZXingReader", "-format", "Code128", image], capture_output=True, text=True).stdout
    return [line.split('"')[1] for line in out.splitlines() if line.startswith("Text:")]


def run(kestrix, cli, work):
    if not shutil.which("ZXingReader"):
        print("SKIPPED: ZXingReader not installed (./setup.sh installs it)")
        raise SystemExit(77)
    pngs = os.path.join(work, "printed")
    os.mkdir(pngs)
    printer = subprocess.Popen([os.path.join(os.path.dirname(cli), "simulated-printer"), "--png-folder", pngs],
                               stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, preexec_fn=die_with_parent)
    address = printer.stdout.readline().strip()
    with open(os.path.join(work, "PrinterSettings.ini"), "w") as ini:
        ini.write(f"[Print Settings]\nDevice={address}\n")
    label, data = os.path.join(work, "products.lab"), os.path.join(work, "three.csv")
    shutil.copy(EXAMPLE, label)
    with open(data, "w") as csv:
        csv.write("SKU,NAME,PRICE\n" + "".join(f'{sku},"{name}",1.00\n' for sku, name in ROWS))

    s = Session(kestrix, work)
    try:
        s.relaunch(kestrix, [label])
        s.start()
        check(barcodes(s.shot("fields.png")) == ["${SKU}"],
              "the label opens showing its field: the barcode reads ${SKU}")
        s.click((s.client[0] + 43 * INPUT_FILE + 16 * 3 + 22, s.client[1] + 21))
        dialog = s.focus("Input File", timeout=20)
        s.x("key", "alt+c")
        s.file_dialog("Open Data File", data, over_main=False)
        s.shot("dialog.png")
        s.x("windowfocus", "--sync", dialog)  # no window manager gives it back
        s.x("key", "Return")
        check(s.closes("Input File"), "OK closes the data dialog")
        check(settles(lambda: barcodes(s.shot("row1.png")) == [ROWS[0][0]]),
              f"the canvas shows row 1: its barcode reads {ROWS[0][0]}")
        s.file_menu(*["Down"] * 6, "Return")  # Direct Send Data to Printer
        s.focus("Direct Send")
        s.x("key", "Return")  # one label of each row
        printed = lambda: sorted(os.listdir(pngs))
        check(settles(lambda: len(printed()) == 3, 30), "three labels arrive at the printer on 127.0.0.1")
        read = [barcodes(os.path.join(pngs, name)) for name in printed()]
        check(read == [[sku] for sku, _ in ROWS], f"their barcodes are the rows' in file order: {read}")
        check(barcodes(s.shot("after.png")) == [ROWS[0][0]], "the canvas still shows row 1")
    finally:
        s.close()
        printer.stdin.close()
        printer.wait()


if __name__ == "__main__":
    main(run, __doc__)
