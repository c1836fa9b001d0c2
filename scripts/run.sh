#!/usr/bin/env bash
# Builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release --target sro-parser
exec build/release/ui/sro-parser "$@"
