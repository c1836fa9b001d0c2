#!/usr/bin/env bash
# Builds and runs every test. Usage: scripts/test.sh [preset], preset debug (default), asan, tsan
# or windows (the crawl core and its tests cross-built for Windows and run under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-debug}"

if [ "$preset" != windows ]; then
  bash scripts/install-deps.sh
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
  exit 0
fi

bash scripts/install-deps-windows.sh
# The script prints the folder of the DLLs, headers and import libraries as its last line.
SRO_OPENSSL_WIN_DIR="$(bash scripts/build-openssl-windows.sh | tail -n 1)"
export SRO_OPENSSL_WIN_DIR
cmake --preset windows
cmake --build --preset windows

# The Wine prefix of the build folder (the one the toolchain's emulator names), made before
# the tests so that they do not race to make it; headless, without the .NET and HTML engines.
export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
# A server left from an earlier run that was cut short would make the wait below endless.
wineserver --kill >/dev/null 2>&1 || true
wineboot --init >/dev/null 2>&1
# wineboot leaves its server running a few seconds; a second one for the prefix is refused.
wineserver --wait
# One Wine server and one set of Wine's own services for the whole run, started here with
# their output away from CTest: a service that a test program started would inherit the
# test's output pipe and keep CTest waiting until the server ends.
wineserver --persistent </dev/null >/dev/null 2>&1
trap 'wineserver --kill || true' EXIT
wineboot </dev/null >/dev/null 2>&1
ctest --preset windows
