#!/usr/bin/env bash
# The part of test-windows-end-to-end.sh that runs on its X display.
set -euo pipefail
work="$SRO_E2E_WORK"

# The Linux edition, alone in a folder of its own: START pressed, the run's end told by its log
# file, which the end of a run writes after the result file is closed.
mkdir -p "$work/linux"
cp "$SRO_E2E_LINUX_BUILD/ui/sro-parser" "$work/linux/"
"$work/linux/sro-parser" >"$work/linux.out" 2>&1 &
program=$!
window="$(xdotool search --sync --onlyvisible --name '^Парсер организаций ')"
# The middle of START, which lies at 8, 236 and is 206 × 37 pixels large.
xdotool mousemove --window "$window" 111 254 click 1
for _ in $(seq 1 600); do
  compgen -G "$work/linux/log-*.txt" >/dev/null && break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.5
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
results=("$work"/linux/data*.csv)
if [ ! -f "${results[0]}" ] || ! compgen -G "$work/linux/log-*.txt" >/dev/null; then
  echo "the Linux edition wrote no result and log file" >&2
  cat "$work/linux.out" >&2
  exit 1
fi
echo "Linux edition: ${results[0]##*/}, $(wc -l <"${results[0]}") lines"

SRO_E2E_LINUX_RESULT="${results[0]}" \
  ctest --test-dir "$SRO_E2E_WINDOWS_BUILD" -R '^win32_end_to_end_tests$' --output-on-failure \
  --timeout 600
