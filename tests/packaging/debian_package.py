#!/usr/bin/env python3
"""CPack makes the Debian package from the build as it stands (nothing is compiled
again), and lintian finds neither an error nor a warning in it; its other remarks
are listed. Exits 77 (skipped) when dpkg-deb or lintian is not installed.

usage: debian_package.py CPACK BUILD_DIR"""
import glob, os, shutil, subprocess, sys, tempfile


def main(cpack, build):
    for tool in ("dpkg-deb", "dpkg-shlibdeps", "lintian"):
        if not shutil.which(tool):
            print(f"{tool} is not installed: the Debian package not checked")
            return 77
    with tempfile.TemporaryDirectory() as tmp:
        made = subprocess.run([cpack, "--config", os.path.join(build, "CPackConfig.cmake"), "-B", tmp],
                              capture_output=True, text=True)
        packages = glob.glob(os.path.join(tmp, "*.deb"))
        if made.returncode != 0 or len(packages) != 1:
            print(f"cpack failed:\n{made.stdout}{made.stderr}")
            return 1
        control = subprocess.run(["dpkg-deb", "--info", packages[0]], capture_output=True, text=True).stdout
        print(control)
        lint = subprocess.run(["lintian", "--fail-on", "error,warning", "--display-info", packages[0]],
                              capture_output=True, text=True)
        remarks = [line for line in lint.stdout.splitlines() if line[:2] in ("E:", "W:", "I:")]
        print("\n".join(remarks) or "lintian: no remarks")
        if lint.returncode != 0:
            print(f"lintian finds errors or warnings in {os.path.basename(packages[0])}\n{lint.stderr}")
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
