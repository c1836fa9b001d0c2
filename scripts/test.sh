#!/usr/bin/env bash
# Builds and runs every test. Usage: scripts/test.sh [preset], preset debug (default), asan or tsan.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-debug}"
bash scripts/install-deps.sh
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"
