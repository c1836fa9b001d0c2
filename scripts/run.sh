#!/usr/bin/env bash
# Builds and starts the program; its arguments are passed on.
#   bash scripts/run.sh                        offline: the bundled registry simulator on
#                                              127.0.0.1, stopped when the program ends
#   REGISTRY_HOST=<host> bash scripts/run.sh   against that registry, the program alone
# Offline, SIMULATOR_PORT (default 8443) and SIMULATOR_SEED (default 1) choose the simulator's
# port and data set. The registry host is fixed at build time, so each mode has its own build
# folder: build/release for a real registry, build/simulator for the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

if [ -n "${REGISTRY_HOST:-}" ]; then
  cmake --preset release -DREGISTRY_HOST="$REGISTRY_HOST"
  cmake --build --preset release --target sro-parser
  exec build/release/ui/sro-parser "$@"
fi

port="${SIMULATOR_PORT:-8443}"
seed="${SIMULATOR_SEED:-1}"
build=build/simulator
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=Release \
  -DREGISTRY_HOST="127.0.0.1:$port" -DSRO_BUILD_BENCH=OFF
targets=(registry-simulator)
if cmake --build "$build" --target help | grep -q '^sro-parser:'; then
  targets+=(sro-parser)
fi
cmake --build "$build" --target "${targets[@]}"

ready="$build/registry-simulator.out"
log="$build/registry-simulator.log"
"$build/tools/simulator/registry-simulator" --port "$port" --seed "$seed" >"$ready" 2>"$log" &
simulator=$!
stop_simulator() {
  kill "$simulator" 2>/dev/null || true
  wait "$simulator" 2>/dev/null || true
}
trap stop_simulator EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The simulator prints its address once it accepts connections; give it 10 s.
for _ in $(seq 100); do
  if grep -q '^listening on ' "$ready" || ! kill -0 "$simulator" 2>/dev/null; then
    break
  fi
  sleep 0.1
done
if ! grep -q '^listening on ' "$ready"; then
  echo "The registry simulator did not start:" >&2
  cat "$log" >&2
  echo "(another port: SIMULATOR_PORT=<port> bash scripts/run.sh)" >&2
  exit 1
fi
cat "$log" "$ready"

if [[ " ${targets[*]} " != *" sro-parser "* ]]; then
  echo "The window is not built yet; the simulator serves until Ctrl+C."
  wait "$simulator"
  exit 0
fi
"$build/ui/sro-parser" "$@"
