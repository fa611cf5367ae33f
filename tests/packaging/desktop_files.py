#!/usr/bin/env python3
"""The desktop entry passes desktop-file-validate without a single remark (hints
included), the AppStream metainfo passes `appstreamcli validate`, and the newest
release in the metainfo and in the Debian changelog is the project's version.
A validator that is not installed is named and its check skipped (exit 77 when
nothing failed).

usage: desktop_files.py PROJECT_VERSION DESKTOP_ENTRY METAINFO CHANGELOG"""
import re, shutil, subprocess, sys
import xml.etree.ElementTree as ElementTree


def main(version, desktop, metainfo, changelog):
    problems, skipped = [], []

    if shutil.which("desktop-file-validate"):
        remarks = subprocess.run(["desktop-file-validate", desktop], capture_output=True, text=True)
        if remarks.returncode != 0 or remarks.stdout or remarks.stderr:
            problems.append(f"desktop-file-validate {desktop}:\n{remarks.stdout}{remarks.stderr}")
    else:
        skipped.append("desktop-file-validate")

    if shutil.which("appstreamcli"):
        result = subprocess.run(["appstreamcli", "validate", "--no-net", "--pedantic", metainfo],
                                capture_output=True, text=True)
        print(result.stdout)
        if result.returncode != 0:
            problems.append(f"appstreamcli validate {metainfo} fails")
    else:
        skipped.append("appstreamcli")

    releases = ElementTree.parse(metainfo).getroot().findall("releases/release")
    newest = releases[0].get("version") if releases else None
    if newest != version:
        problems.append(f"{metainfo}: the newest release is {newest}, the project's version {version}")
    with open(changelog, encoding="utf-8") as f:
        entry = re.match(r"kestrix \(([^)]+)\)", f.readline())
    if not entry or entry.group(1) != version:
        problems.append(f"{changelog}: the newest entry is not for version {version}")

    for problem in problems:
        print(problem)
    for tool in skipped:
        print(f"{tool} is not installed: its check skipped")
    return 1 if problems else 77 if skipped else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
