#!/usr/bin/env python3
"""kestrix-cli status against the simulated printer on 127.0.0.1: each state
bit alone and a few together give the line and the exit status the
command-line contract fixes.

usage: status_states.py KESTRIX_CLI SIMULATED_PRINTER
"""
import subprocess
import sys

NAMES = ["head open", "paper jam", "out of paper", "out of ribbon",
         "paused", "printing", "cover open", "temperature out of range"]
PRINTING = 0x20


def expected(state):
    line = ", ".join(n for bit, n in enumerate(NAMES) if state & (1 << bit)) or "ready"
    return line + "\n", 0 if state & ~PRINTING == 0 else 2


def main():
    cli, simulated = sys.argv[1:3]
    printer = subprocess.Popen([simulated], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    address = printer.stdout.readline().strip()
    failures = []
    for state in [0] + [1 << bit for bit in range(8)] + [0x24, 0x41, 0x0C, 0x30, 0xFF]:
        printer.stdin.write("state %d\n" % state)
        printer.stdin.flush()
        printer.stdout.readline()
        run = subprocess.run([cli, "status", "--device", address], capture_output=True, text=True, timeout=10)
        got = (run.stdout, run.returncode, run.stderr)
        want = expected(state) + ("",)
        if got != want:
            failures.append("state 0x%02x: got %r, want %r" % (state, got, want))
    printer.stdin.close()
    printer.wait(timeout=10)
    print("\n".join(failures) or "all states as the contract says")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
