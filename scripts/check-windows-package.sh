#!/usr/bin/env bash
# Checks the installer that scripts/package-windows.sh built, under Wine in a fresh prefix: a
# silent per-user install (/S), the program and its Start-menu shortcut in place, the installed
# program showing its window (screenshot: build/windows-package/screenshot.png, or the path
# given as the first argument), then a silent uninstall.
set -euo pipefail
cd "$(dirname "$0")/.."
shot="${1:-build/windows-package/screenshot.png}"
installer="$(ls build/windows-package/sro-parser-*-win64-setup.exe)"
prefix="$PWD/build/windows-package/wineprefix"
rm -rf "$prefix"
wrapper=tests/win32/wine-desktop.sh
# Prepares the prefix (virtual desktop, fonts) with a program that ends at once.
bash "$wrapper" "$prefix" cmd /c exit >/dev/null 2>&1

export WINEPREFIX="$prefix" WINEDEBUG=-all
# The user's programs folder, %LOCALAPPDATA%\Programs; Wine names the user after the Unix one.
installed="$prefix/drive_c/users/$(id -un)/AppData/Local/Programs/sro-parser"

SRO_INSTALLER="$(winepath -w "$installer")" SRO_INSTALLED="$installed" SRO_SHOT="$shot" \
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    # Installed in Wine'"'"'s default locale: under a Russian one Wine 8 writes no Start-menu
    # shortcut for the installer (the program itself then runs as on a Russian Windows).
    wine "$SRO_INSTALLER" /S
    wineserver -w
    for file in sro-parser.exe libeay32.dll ssleay32.dll uninstall.exe; do
      test -f "$SRO_INSTALLED/$file" || { echo "not installed: $file" >&2; exit 1; }
    done
    ls "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs/"Парсер СРО.lnk" >/dev/null
    env LC_ALL=ru_RU.UTF-8 wine "$SRO_INSTALLED/sro-parser.exe" &
    # The middle of the screen lies in the centred window'"'"'s log view, white once it shows.
    for _ in $(seq 1 60); do
      sleep 1
      import -window root "$SRO_SHOT"
      [ "$(convert "$SRO_SHOT" -format "%[hex:p{512,500}]" info:)" = FFFFFF ] && break
    done
    [ "$(convert "$SRO_SHOT" -format "%[hex:p{512,500}]" info:)" = FFFFFF ] ||
      { echo "the installed program showed no window" >&2; exit 1; }
    # The picture once every control has painted itself.
    sleep 3
    import -window root "$SRO_SHOT"
    wineserver -k
    # The uninstaller runs on from a copy of itself and returns at once.
    wine "$SRO_INSTALLED/uninstall.exe" /S
    for _ in $(seq 1 50); do [ -e "$SRO_INSTALLED/sro-parser.exe" ] || break; sleep 0.2; done
    ! test -e "$SRO_INSTALLED/sro-parser.exe" || { echo "not uninstalled" >&2; exit 1; }
    wineserver -k
  '
echo "installer checked; screenshot: $shot"
