#!/usr/bin/env bash
# End to end under Wine: the Windows program and the Linux edition, both built for the bundled
# registry simulator on 127.0.0.1, crawl the same answers. The Linux edition's window is driven
# with xdotool to make the reference result file; the Windows program is driven through its
# window messages by win32_end_to_end_tests (a run compared byte for byte with that file, a
# stop, closing during a run, the collection of all SRO links).
# SRO_E2E_PORT (default 47443) is the simulator's port, fixed in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps-windows.sh
bash scripts/build-openssl-windows.sh

port="${SRO_E2E_PORT:-47443}"
host="127.0.0.1:$port"
linux_build=build/e2e-linux
windows_build=build/e2e-windows

cmake -S . -B "$linux_build" -G Ninja -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=Release \
  -DREGISTRY_HOST="$host" -DSRO_BUILD_BENCH=OFF >/dev/null
cmake --build "$linux_build" -j2 --target sro-parser registry-simulator
cmake --preset windows -B "$windows_build" -DREGISTRY_HOST="$host" \
  -DSRO_WINDOWS_END_TO_END=ON >/dev/null
cmake --build "$windows_build" -j2 --target win32_end_to_end_tests

work="$(mktemp -d)"
simulator_pid=""
cleanup() {
  if [ -n "$simulator_pid" ]; then
    kill "$simulator_pid" 2>/dev/null || true
    wait "$simulator_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

if ss -ltn "sport = :$port" | grep -q LISTEN; then
  echo "port $port is in use; choose another with SRO_E2E_PORT" >&2
  exit 1
fi
"$linux_build/tools/simulator/registry-simulator" --port "$port" --seed 1 --fault-rate 0 \
  >"$work/simulator.out" 2>"$work/simulator.log" &
simulator_pid=$!
for _ in $(seq 1 100); do
  ss -ltn "sport = :$port" | grep -q LISTEN && break
  sleep 0.1
done

# One X display for everything: the Linux window and Wine's virtual desktop.
SRO_E2E_WORK="$work" SRO_E2E_LINUX_BUILD="$linux_build" SRO_E2E_WINDOWS_BUILD="$windows_build" \
  xvfb-run -a -s "-screen 0 1024x768x24" bash scripts/end-to-end-windows-session.sh
