#!/usr/bin/env bash
# Builds the release preset and runs every benchmark. Each prints its figures beside a baseline
# measured in the same run (medians of repetitions, and their ratios); nothing asserts a time.
# Usage: scripts/bench.sh [members of the scale run, default 100000]
set -euo pipefail
cd "$(dirname "$0")/.."
members="${1:-100000}"
bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release -j2 --target \
  crawl_throughput_bench crawl_pacing_bench crawl_scale_bench startup_bench json_bench cookie_bench

export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR="$(mktemp -d)"
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
echo "machine: $(nproc) cores,$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2), $(date -u)"
bench=build/release/bench
echo; "$bench/crawl/crawl_throughput_bench" 2000 5
echo; "$bench/crawl/crawl_pacing_bench" 30 3
echo; "$bench/crawl/crawl_scale_bench" "$members"
echo; "$bench/crawl/startup_bench" 9
echo; "$bench/json_bench"
echo; "$bench/cookie_bench"
