#!/usr/bin/env bash
# Builds what Windows users download, in build/windows-package:
#   sro-parser-<version>-win64.zip        a folder with sro-parser.exe, libeay32.dll, ssleay32.dll
#   sro-parser-<version>-win64-setup.exe  the installer (per user, into the user's programs folder)
# The registry host is fixed at build time: REGISTRY_HOST=<host> bash scripts/package-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps-windows.sh
bash scripts/build-openssl-windows.sh
export SRO_OPENSSL_WIN_DIR="${SRO_OPENSSL_WIN_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/sro-parser/openssl-win64}"

if [ -n "${REGISTRY_HOST:-}" ]; then
  cmake --preset windows-release -DREGISTRY_HOST="$REGISTRY_HOST"
else
  # The build's own default, not what an earlier packaging left in the cache.
  cmake --preset windows-release -UREGISTRY_HOST
fi
cmake --build --preset windows-release --target sro-parser

version="$(sed -n 's/^project(sro-parser VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
name="sro-parser-$version-win64"
out=build/windows-package
stage="$out/$name"
rm -rf "$out"
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/sro-parser.exe" build/windows-release/bin/sro-parser.exe
cp "$SRO_OPENSSL_WIN_DIR/bin/libeay32.dll" "$SRO_OPENSSL_WIN_DIR/bin/ssleay32.dll" "$stage/"

# Stable timestamps and order, so that the same tree gives the same archive.
touch -d "@$(git log -1 --format=%ct 2>/dev/null || echo 0)" "$stage" "$stage"/*
(cd "$out" && zip -q -X -r "$name.zip" "$name")
makensis -V2 -DVERSION="$version" -DSTAGE="$PWD/$stage" -DOUTFILE="$PWD/$out/$name-setup.exe" \
  packaging/windows/installer.nsi
ls -l "$out/$name.zip" "$out/$name-setup.exe"
