#!/usr/bin/env python3
"""The manual pages format without a warning from man, and kestrix-cli's page names the
same subcommands with the same options as its usage text: each subcommand's synopsis
holds exactly the options the usage gives it, and each option has an entry under
OPTIONS. Exits 77 (skipped) when man is not installed.

usage: man_pages.py KESTRIX_CLI KESTRIX_CLI_PAGE OTHER_PAGE..."""
import os, re, shutil, subprocess, sys

OPTION = re.compile(r"(?<![\w-])--?[a-z][\w-]*")


def usage_options(cli):
    """{subcommand: options} from the usage text; a subcommand's lines run from its
    name, indented by two spaces, to the next line that is indented less deeply."""
    usage = subprocess.run([cli, "--help"], capture_output=True, text=True, check=True).stdout
    commands, current = {}, None
    for line in usage.splitlines():
        named = re.match(r"  ([a-z]+) (.*)", line)
        if named:
            current = commands.setdefault(named.group(1), set())
            current.update(OPTION.findall(named.group(2)))
        elif current is not None and line.startswith("   "):
            current.update(OPTION.findall(line))
        else:
            current = None
    return commands


def render(page):
    """The page as plain text, one synopsis per line; man's own warnings come back apart."""
    env = dict(os.environ, LC_ALL="C.UTF-8", MANROFFSEQ="", MANWIDTH="1000")
    done = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", page],
                          capture_output=True, text=True, env=env)
    return re.sub(".\b", "", done.stdout), done.stderr.strip()


def sections(text):
    named, current = {}, None
    for line in text.splitlines():
        if re.match(r"[A-Z][A-Z ]+$", line):
            current = named.setdefault(line, [])
        elif current is not None:
            current.append(line)
    return named


def page_options(text):
    """{subcommand: options} of the synopsis, and the options with an entry under OPTIONS."""
    page = sections(text)
    commands = {}
    for line in page.get("SYNOPSIS", []):
        synopsis = re.match(r"\s+kestrix-cli ([a-z]+) (.*)", line)
        if synopsis:
            commands.setdefault(synopsis.group(1), set()).update(OPTION.findall(synopsis.group(2)))
    entries = set()
    for line in page.get("OPTIONS", []):
        tag = re.match(r" {7}(-\S.*)", line)
        if tag:
            entries.update(OPTION.findall(tag.group(1)))
    return commands, entries


def main(cli, cli_page, *other_pages):
    if not shutil.which("man"):
        print("man (man-db) is not installed: manual pages not checked")
        return 77
    problems = []
    rendered = {}
    for page in (cli_page, *other_pages):
        rendered[page], warnings = render(page)
        if warnings:
            problems.append(f"{page}: man warns:\n{warnings}")

    usage = usage_options(cli)
    synopsis, entries = page_options(rendered[cli_page])
    for command in sorted(usage.keys() | synopsis.keys()):
        if command not in synopsis:
            problems.append(f"{cli_page}: the synopsis lacks the subcommand {command}")
        elif command not in usage:
            problems.append(f"{cli_page}: the synopsis shows {command}, which the usage text does not name")
        elif usage[command] != synopsis[command]:
            missing = sorted(usage[command] - synopsis[command])
            stale = sorted(synopsis[command] - usage[command])
            problems.append(f"{cli_page}: {command}: options missing from the synopsis {missing}, "
                            f"not in the usage text {stale}")
    for option in sorted(set().union(*usage.values()) - entries):
        problems.append(f"{cli_page}: no entry under OPTIONS for {option}")

    for problem in problems:
        print(problem)
    if not problems:
        print(f"{len(usage)} subcommands, {len(entries)} options documented alike")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
