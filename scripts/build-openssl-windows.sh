#!/usr/bin/env bash
# Builds the OpenSSL DLLs the Windows edition ships, from Debian's own openssl source package,
# with the MinGW-w64 cross compiler: libeay32.dll (libcrypto) and ssleay32.dll (libssl, importing
# libeay32.dll), their import libraries and the Windows build's headers, all in one folder:
#   ${SRO_OPENSSL_WIN_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/sro-parser/openssl-win64}
#     bin/libeay32.dll  bin/ssleay32.dll  lib/libeay32.dll.a  lib/ssleay32.dll.a
#     include/openssl/*.h  VERSION (the Debian source version built)
# When that folder already holds the version apt would fetch now, nothing is built. Progress goes
# to stderr; the folder is printed on stdout as the last line.
set -euo pipefail
cd "$(dirname "$0")/.."

out="${SRO_OPENSSL_WIN_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/sro-parser/openssl-win64}"
host=x86_64-w64-mingw32
jobs=2

# The library looks for its configuration, providers and engines under these folders. On Windows
# the default (/usr/local/ssl, i.e. C:\usr\local\ssl) is a folder any user may create, and a file
# planted there would be read by the program. '<' is not allowed in a Windows file name, so no one
# can create this folder, and it lies in System32, which only administrators may write to anyway.
windows_prefix='C:/Windows/System32/<no OpenSSL folder>'

shipped_files=(
  bin/libeay32.dll bin/ssleay32.dll
  lib/libeay32.dll.a lib/ssleay32.dll.a
  include/openssl/opensslv.h include/openssl/configuration.h include/openssl/ssl.h
  VERSION
)

# What the program resolves in each DLL after loading it.
ssl_entry_points=(
  TLS_client_method SSL_CTX_new SSL_CTX_free SSL_CTX_ctrl SSL_CTX_set_verify SSL_new SSL_free
  SSL_set_fd SSL_ctrl SSL_connect SSL_read SSL_write SSL_get_error SSL_pending
)
crypto_entry_points=(ERR_get_error ERR_peek_error ERR_error_string_n ERR_clear_error)

log() { echo "build-openssl-windows: $*" >&2; }

as_root() {
  if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi
}

# The Debian source versions of openssl apt knows, the one `apt-get source openssl` picks first,
# then the others newest first. Empty when apt knows no openssl source.
source_versions() {
  local picked versions=() sorted=() v i
  picked=$(apt-get source --print-uris -qq openssl 2>/dev/null |
    sed -n "s/^'[^']*' openssl_\(.*\)\.dsc .*/\1/p")
  mapfile -t versions < <(apt-cache showsrc --only-source openssl 2>/dev/null | sed -n 's/^Version: //p')
  # A plain insertion sort: only dpkg knows how Debian versions order.
  for v in "${versions[@]}"; do
    for ((i = ${#sorted[@]}; i > 0; i--)); do
      dpkg --compare-versions "${sorted[i - 1]}" ge "$v" && break
      sorted[i]=${sorted[i - 1]}
    done
    sorted[i]=$v
  done
  if [ -n "$picked" ]; then echo "$picked"; fi
  for v in "${sorted[@]}"; do
    if [ "$v" != "$picked" ]; then echo "$v"; fi
  done
}

# Whether the archive serves this source version now: its .dsc is fetched through apt (so apt's
# own proxy settings apply). The lists may name a version the archive does not hold (yet).
source_fetchable() {
  local uri probe status=0
  uri=$(apt-get source --print-uris -qq "openssl=$1" 2>/dev/null | sed -n "s/^'\([^']*\.dsc\)' .*/\1/p")
  [ -n "$uri" ] || return 1
  probe=$(mktemp)
  /usr/lib/apt/apt-helper download-file "$uri" "$probe" >/dev/null 2>&1 || status=$?
  rm -f "$probe"
  return "$status"
}

# Adds a deb-src entry for every apt source that serves the openssl binary package, copied from
# the machine's own definition of that source, then refreshes the package lists.
enable_source_entries() {
  local uris list=/etc/apt/sources.list.d/sro-parser-deb-src
  uris=$(apt-cache policy openssl | awk '$2 ~ /:\/\// { sub(/\/$/, "", $2); print $2 }' | sort -u)
  if [ -z "$uris" ]; then
    log "apt knows no source of the openssl package"
    return 1
  fi
  # deb822 files: each stanza of type deb whose URIs include one of those becomes a deb-src one.
  local stanzas=""
  if compgen -G '/etc/apt/sources.list.d/*.sources' >/dev/null; then
    stanzas=$(awk -v uris="$uris" '
      BEGIN { n = split(uris, list, "\n"); for (i = 1; i <= n; i++) wanted[list[i]] = 1 }
      function flush() {
        if (types ~ /(^| )deb( |$)/ && serves && enabled) {
          print "Types: deb-src"; printf "%s", body; print ""
        }
        types = ""; body = ""; serves = 0; enabled = 1
      }
      BEGIN { enabled = 1 }
      /^[ \t]*$/ { flush(); next }
      /^#/ { next }
      /^Types:/ { types = $0; sub(/^Types:[ \t]*/, "", types); next }
      /^Enabled:[ \t]*no/ { enabled = 0 }
      /^URIs:/ { for (i = 2; i <= NF; i++) { u = $i; sub(/\/$/, "", u); if (u in wanted) serves = 1 } }
      { body = body $0 "\n" }
      END { flush() }
    ' /etc/apt/sources.list.d/*.sources)
  fi
  # One-line files: each "deb" line of such a source gets its "deb-src" twin.
  local lines="" one_line_files=()
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    if [ -f "$file" ]; then one_line_files+=("$file"); fi
  done
  if [ ${#one_line_files[@]} -gt 0 ]; then
    lines=$(awk -v uris="$uris" '
      BEGIN { n = split(uris, list, "\n"); for (i = 1; i <= n; i++) wanted[list[i]] = 1 }
      $1 == "deb" {
        u = ""
        for (i = 2; i <= NF; i++) if ($i ~ /:\/\//) { u = $i; sub(/\/$/, "", u); break }
        if (u in wanted) { $1 = "deb-src"; print }
      }
    ' "${one_line_files[@]}")
  fi
  if [ -z "$stanzas" ] && [ -z "$lines" ]; then
    log "no apt source definition found to derive a deb-src entry from"
    return 1
  fi
  log "adding deb-src entries in $list.*"
  if [ -n "$stanzas" ]; then printf '%s\n' "$stanzas" | as_root tee "$list.sources" >/dev/null; fi
  if [ -n "$lines" ]; then printf '%s\n' "$lines" | as_root tee "$list.list" >/dev/null; fi
  as_root apt-get update -q >&2
}

# Whether $out holds a complete build of this version.
built() {
  local file
  [ "$(cat "$out/VERSION" 2>/dev/null)" = "$1" ] || return 1
  for file in "${shipped_files[@]}"; do
    [ -s "$out/$file" ] || return 1
  done
}

# The version to build: the first one apt picks that the archive serves now. A version already
# built in $out counts as served, so reuse needs no download.
choose_version() {
  local version
  for version in "$@"; do
    if built "$version" || source_fetchable "$version"; then
      echo "$version"
      return 0
    fi
  done
  return 1
}

dll_imports() { "$host-objdump" -p "$1" | sed -n 's/^\tDLL Name: //p'; }
dll_exports() {
  "$host-objdump" -p "$1" | awk '/^\[Ordinal\/Name Pointer\] Table/ { table = 1; next }
    table && /^\t\[/ { print $NF } table && /^$/ { table = 0 }'
}

# Fails unless the DLLs in $1 export what the program resolves, ssleay32.dll imports libeay32.dll,
# and nothing but Windows' own DLLs besides: no MinGW runtime DLL the program would have to ship.
check_dlls() {
  local dir=$1 faults=0 name exports
  while read -r name; do
    case "${name,,}" in
      kernel32.dll | advapi32.dll | user32.dll | gdi32.dll | ws2_32.dll | crypt32.dll | msvcrt.dll) ;;
      *) log "libeay32.dll imports $name, which Windows does not have"; faults=1 ;;
    esac
  done < <(dll_imports "$dir/libeay32.dll")
  while read -r name; do
    case "${name,,}" in
      libeay32.dll | kernel32.dll | ws2_32.dll | msvcrt.dll) ;;
      *) log "ssleay32.dll imports $name, which it must not need"; faults=1 ;;
    esac
  done < <(dll_imports "$dir/ssleay32.dll")
  if ! dll_imports "$dir/ssleay32.dll" | grep -qix 'libeay32.dll'; then
    log "ssleay32.dll does not import libeay32.dll"
    faults=1
  fi
  exports=$(dll_exports "$dir/ssleay32.dll")
  for name in "${ssl_entry_points[@]}"; do
    grep -qx "$name" <<<"$exports" || { log "ssleay32.dll lacks $name"; faults=1; }
  done
  exports=$(dll_exports "$dir/libeay32.dll")
  for name in "${crypto_entry_points[@]}"; do
    grep -qx "$name" <<<"$exports" || { log "libeay32.dll lacks $name"; faults=1; }
  done
  return "$faults"
}

bash scripts/install-deps-windows.sh >&2

mapfile -t versions < <(source_versions)
if [ ${#versions[@]} -eq 0 ]; then
  enable_source_entries
  mapfile -t versions < <(source_versions)
fi
if ! version=$(choose_version "${versions[@]}"); then
  # Lists older than the archive name versions it no longer holds: refresh them once.
  as_root apt-get update -q >&2
  mapfile -t versions < <(source_versions)
  version=$(choose_version "${versions[@]}") || { log "apt can fetch no openssl source package"; exit 1; }
fi

if built "$version"; then
  log "OpenSSL $version for Windows is already built"
  echo "$out"
  exit 0
fi

mkdir -p "$(dirname "$out")"
work=$(mktemp -d "$out.building.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

log "fetching the openssl $version source package"
(cd "$work" && apt-get source -q "openssl=$version" >"$work/fetch.log" 2>&1) || {
  cat "$work/fetch.log" >&2
  exit 1
}
source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'openssl-*')
patch -d "$source_dir" -p1 --quiet <scripts/openssl-windows-dll-names.patch

log "building OpenSSL $version for Windows (2 to 4 minutes on 2 cores)"
build_log="$work/build.log"
# Each step chained with &&: set -e does not apply inside a command whose status is tested.
if ! (
  cd "$source_dir" &&
    # --openssldir relative to --prefix: Configure takes a drive letter path for a relative one.
    CC=gcc-posix ./Configure mingw64 shared no-tests no-autoload-config no-engine no-legacy \
      --cross-compile-prefix="$host-" --prefix="$windows_prefix" --openssldir=ssl &&
    # Only the two DLLs: the static libraries of build_libs would compile every object twice.
    make -j"$jobs" build_generated &&
    make -j"$jobs" libeay32.dll &&
    # ssleay32.dll is linked with -lcrypto: that name must find libeay32.dll's import library,
    # which makes ssleay32.dll import libeay32.dll.
    cp libeay32.dll.a libcrypto.dll.a &&
    make -j"$jobs" ssleay32.dll
) >"$build_log" 2>&1; then
  tail -n 40 "$build_log" >&2
  log "the build failed; the end of its log is above"
  exit 1
fi

stage="$work/stage"
mkdir -p "$stage/bin" "$stage/lib" "$stage/include/openssl"
cp "$source_dir"/{libeay32,ssleay32}.dll "$stage/bin/"
cp "$source_dir"/{libeay32,ssleay32}.dll.a "$stage/lib/"
cp "$source_dir"/include/openssl/*.h "$stage/include/openssl/"
"$host-strip" --strip-unneeded "$stage"/bin/*.dll
check_dlls "$stage/bin"
echo "$version" >"$stage/VERSION"

# Moved in only now: an interrupted build leaves no folder that looks finished.
rm -rf "$out"
mv "$stage" "$out"
log "OpenSSL $version for Windows built"
echo "$out"
