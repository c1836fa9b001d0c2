#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a bounded time. Usage: scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/install-deps.sh
cmake --preset fuzz
cmake --build --preset fuzz
shopt -s nullglob
targets=(build/fuzz/fuzz/*/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets were built" >&2
  exit 1
fi
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/$(basename "$(dirname "$target")")/seeds"
  [ -d "$seeds" ] || seeds=""
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$corpus" $seeds
done
