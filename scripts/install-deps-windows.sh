#!/usr/bin/env bash
# Installs the Debian packages the Windows edition needs on top of the Linux ones: the MinGW-w64
# cross compiler (posix thread model), Wine to run the Windows programs here, and what building
# OpenSSL from Debian's source package takes. Idempotent like scripts/install-deps.sh.
set -euo pipefail

windows_packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64
  dpkg-dev make perl
)

exec bash "$(dirname "$0")/install-deps.sh" "${windows_packages[@]}"
