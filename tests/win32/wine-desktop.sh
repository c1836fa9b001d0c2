#!/bin/sh
# Runs a Windows program that shows windows, under Wine: usage wine-desktop.sh <prefix> <program> [arguments].
# The prefix is one of its own in which every window lives in a virtual desktop: without a
# window manager Wine waits two seconds for every window it destroys. Wine runs as on a
# Russian-language Windows (ANSI code page 1251, Russian date and time formats). Without an X
# display the program gets a private Xvfb, and the prefix's Wine server is ended afterwards,
# since a server outliving its display would break the next program's windows.
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
# Wine takes its Windows locale from LC_ALL; set for Wine alone, since the host has no such
# locale for the shell.
russian="env LC_ALL=ru_RU.UTF-8"

mkdir -p "$prefix"
(
  flock 9
  if [ ! -e "$prefix/.sro-virtual-desktop" ]; then
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
    # Wine's own Tahoma (the window's font) and Marlett (the caption buttons) where Windows
    # keeps its fonts; Debian's Wine would otherwise put another sans-serif face in their place.
    cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
      /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
    touch "$prefix/.sro-virtual-desktop"
  fi
) 9>"$prefix.lock"

# wine-run.sh starts again a program that Wine ended before it began.
run="$(cd "$(dirname "$0")/../.." && pwd)/cmake/wine-run.sh"
if [ -n "${DISPLAY:-}" ]; then
  exec $russian "$run" wine "$@"
fi
status=0
xvfb-run -a -s "-screen 0 1024x768x24" $russian "$run" wine "$@" || status=$?
wineserver -k 2>/dev/null || true
exit "$status"
