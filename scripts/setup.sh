#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing; with the
# argument "test", also those the whole test suite needs (sanitizer and fuzzer
# runtimes, a virtual display, the metainfo validator).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6
  qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev
  libfontconfig-dev  # the font configuration read while the window starts
  libpq-dev  # the shared catalogue on a PostgreSQL server
  fonts-dejavu-core fonts-liberation2
)
if [ "${1:-}" = test ]; then
  packages+=(clang libclang-rt-14-dev xvfb xauth xdotool appstream desktop-file-utils)
  packages+=(clang-format)  # the code-style check
  # The end-to-end benchmark (bench/e2e): Xlib, XTEST and DAMAGE.
  packages+=(libx11-dev libxtst-dev libxdamage-dev)
  # pdftotext reads the justification report's PDF back in the tests.
  packages+=(poppler-utils)
  # A throwaway PostgreSQL server for the catalogue's tests on a server.
  packages+=(postgresql)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}" >&2
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
