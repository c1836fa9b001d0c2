#!/usr/bin/env bash
# Installs the Debian packages the Windows edition needs on top of the Linux ones: the MinGW-w64
# cross compiler (posix thread model), Wine to run the Windows programs here, and what building
# OpenSSL from Debian's source package takes. Idempotent like scripts/install-deps.sh.
set -euo pipefail

windows_packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64
  # Wine's own Tahoma and Marlett: the window's font and the caption buttons.
  fonts-wine
  dpkg-dev make perl
  # The window's tests and the end-to-end run on a virtual X display; the Linux edition's
  # window there is pressed with xdotool; screenshots with ImageMagick.
  xvfb xauth xdotool imagemagick
  # The packages users download: the zip and the NSIS installer.
  zip nsis
)

exec bash "$(dirname "$0")/install-deps.sh" "${windows_packages[@]}"
