#!/usr/bin/env bash
# Kestrix set-up for Debian 12, run as root from the project folder.
#   ./setup.sh run    install what is missing, build, start the editor
#   ./setup.sh test   install what is missing, build, run every test
#   ./setup.sh package  install what is missing, build, make the Debian package in build/
#   ./setup.sh sanitize install what is missing, build with AddressSanitizer and
#                       UndefinedBehaviorSanitizer in build-sanitize/ and run every test there
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  build-essential cmake pkg-config python3 ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libzint-dev libusb-1.0-0-dev libcups2-dev libcsv-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev libzxing-dev zxing-cpp-tools
  fonts-arphic-uming fonts-wqy-microhei fonts-dejavu-core
  libxcb1-dev
  xvfb xauth xdotool xclip imagemagick desktop-file-utils
  cups printer-driver-cups-pdf poppler-utils
  appstream lintian man-db xdg-utils
)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build -j"$(nproc)"
}

case "${1:-}" in
  run)
    install_packages
    build
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/bin/kestrix ]; then
      exec build/bin/kestrix "${@:2}"
    fi
    echo "No display here: the editor needs one (or run it under xvfb-run)."
    echo "Without a window, kestrix-cli works on label files, for example:"
    echo "  build/bin/kestrix-cli info examples/shipping.lab"
    echo "  build/bin/kestrix-cli render examples/shipping.lab -o label.png"
    exec build/bin/kestrix-cli info examples/shipping.lab
    ;;
  test)
    install_packages
    build
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir build --output-on-failure -j"$(nproc)"
    # The acceptance checks live beside the project when it is checked out with them.
    if [ -f ../shared/conformance/run.py ]; then
      python3 ../shared/conformance/run.py --cli build/bin/kestrix-cli
    else
      echo "acceptance checks (../shared/conformance) not found: skipped"
    fi
    ;;
  package)
    install_packages
    build
    # CPack installs the finished build into the package; nothing is compiled again.
    cmake --build build --target package
    ls build/kestrix_*.deb
    ;;
  sanitize)
    install_packages
    # A build of its own: the sanitizer flags reach every object, and build/ stays as it is.
    cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRIX_SANITIZE=ON -DKESTRIX_BENCH=OFF
    cmake --build build-sanitize -j"$(nproc)"
    QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
    ;;
  *)
    echo "usage: $0 run|test|package|sanitize" >&2
    exit 2
    ;;
esac
