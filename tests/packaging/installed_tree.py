#!/usr/bin/env python3
"""`cmake --install` into a temporary DESTDIR puts every file in its place under /usr,
and the installed programs work from there alone: no path into the source or build
tree is compiled into them, the installed kestrix-cli renders the installed example
as the built one does, and the installed editor opens it.

usage: installed_tree.py CMAKE BUILD_DIR SOURCE_DIR [--sanitized]"""
import os, shutil, subprocess, sys, tempfile

EXPECTED = [
    "bin/kestrix",
    "bin/kestrix-cli",
    "share/applications/kestrix.desktop",
    "share/mime/packages/kestrix-label.xml",
    "share/metainfo/org.kestrix.kestrix.metainfo.xml",
    *[f"share/icons/hicolor/{n}x{n}/apps/kestrix.png" for n in (16, 32, 48, 64, 128, 256)],
    "lib/udev/rules.d/60-kestrix-printers.rules",
    "share/man/man1/kestrix.1.gz",
    "share/man/man1/kestrix-cli.1.gz",
    "share/doc/kestrix/README.md",
    "share/doc/kestrix/copyright",
    "share/doc/kestrix/changelog.gz",
    "share/doc/kestrix/examples/shipping.lab",
    "share/doc/kestrix/examples/products.lab",
    "share/doc/kestrix/examples/products.csv",
]


def check(condition, what):
    if not condition:
        raise AssertionError(what)
    print(f"ok  {what}")


def run(args, **kwargs):
    return subprocess.run(args, capture_output=True, timeout=60, **kwargs)


def main(cmake, build, source, *flags):
    with tempfile.TemporaryDirectory() as tmp:
        root = os.path.join(tmp, "root")
        installed = run([cmake, "--install", build, "--prefix", "/usr"], env=dict(os.environ, DESTDIR=root))
        check(installed.returncode == 0, f"cmake --install succeeds {installed.stderr.decode()}")
        usr = os.path.join(root, "usr")
        missing = [path for path in EXPECTED if not os.path.isfile(os.path.join(usr, path))]
        check(not missing, f"every file is installed (missing: {missing})")

        # Debug information names the build tree by design; what the programs read must not.
        # A sanitizer build names its sources on purpose, for its reports; it is never installed.
        trees = [os.path.realpath(p).encode() for p in (source, build)]
        for program in () if "--sanitized" in flags else ("kestrix", "kestrix-cli"):
            stripped = os.path.join(tmp, program)
            run(["objcopy", "--strip-debug", os.path.join(usr, "bin", program), stripped], check=True)
            with open(stripped, "rb") as f:
                body = f.read()
            check(not any(tree in body for tree in trees), f"{program} names neither the source nor the build tree")

        example = os.path.join(usr, "share/doc/kestrix/examples/shipping.lab")
        ours, theirs = os.path.join(tmp, "installed.png"), os.path.join(tmp, "built.png")
        rendered = run([os.path.join(usr, "bin/kestrix-cli"), "render", example, "-o", ours])
        check(rendered.returncode == 0, f"the installed kestrix-cli renders the example {rendered.stderr.decode()}")
        run([os.path.join(build, "bin/kestrix-cli"), "render", os.path.join(source, "examples/shipping.lab"),
             "-o", theirs], check=True)
        with open(ours, "rb") as a, open(theirs, "rb") as b:
            check(a.read() == b.read(), "its image is the built program's, byte for byte")

        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=tmp, TMPDIR=tmp,
                   HOME=tmp, XDG_CONFIG_HOME=os.path.join(tmp, "config"))
        editor = run([os.path.join(usr, "bin/kestrix"), "--quit-after-paint", example], env=env)
        check(editor.returncode == 0 and b"first paint" in editor.stderr,
              f"the installed editor opens the example {editor.stderr.decode()}")

        if shutil.which("appstreamcli"):
            tree = run(["appstreamcli", "validate-tree", "--no-net", usr], text=True)
            check(tree.returncode == 0, f"the metainfo, desktop entry and icons agree\n{tree.stdout}")
        else:
            print("appstreamcli is not installed: the installed tree's metadata not validated")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(*sys.argv[1:]))
    except AssertionError as failure:
        print(f"FAIL {failure}")
        sys.exit(1)
