#!/usr/bin/env bash
# Builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release
echo "The window is not built yet: so far the crawl core and its tests exist (scripts/test.sh)."
