#!/usr/bin/env bash
# Starts the simulator on a free port and meets it the way the program does: the ready line,
# TLS 1.2 answers, faults followed by good answers on retry, a clean stop on SIGTERM.
# Usage: SimulatorSmokeTest.sh <registry-simulator>
set -euo pipefail
simulator="$1"
work="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  cat "$work/err" >&2 || true
  exit 1
}

# Every planned target fails first, so each request below meets a fault before its answer.
"$simulator" --port 0 --seed 5 --fault-rate 1 >"$work/out" 2>"$work/err" &
pid=$!
for _ in $(seq 100); do
  grep -q '^listening on ' "$work/out" && break
  sleep 0.1
done
line="$(head -n 1 "$work/out")"
[[ "$line" =~ ^listening\ on\ https://127\.0\.0\.1:([0-9]+)$ ]] || fail "ready line: '$line'"
base="https://127.0.0.1:${BASH_REMATCH[1]}"

# Prints the status code (000 for a dropped connection); the body lands in $work/body.
post() {
  curl --silent --insecure --tlsv1.2 --tls-max 1.2 --max-time 10 -o "$work/body" \
    -w '%{http_code}' -X POST -H 'Content-Type: application/json' --data "$2" "$base$1" || true
}

# Asks like the crawl's retry rule, at most 11 times; prints the codes of all attempts.
post_until_ok() {
  local codes="" code
  for _ in $(seq 11); do
    code="$(post "$1" "$2")"
    codes="$codes $code"
    [ "$code" = 200 ] && break
  done
  echo "$codes"
}

[ "$(post /api/sro/list '{"filters":{},"page":1,"pageCount":"100","sortBy":{}}')" = 200 ] ||
  fail "the SRO list is never faulted"
grep -q '{"id":322}' "$work/body" || fail "SRO 322 missing from the SRO list"

codes="$(post_until_ok /api/sro/322/member/list '{"filters":{},"page":1,"pageCount":"20","sortBy":{}}')"
[[ "$codes" =~ ^\ (500|000)\ .*200$ ]] || fail "members page attempts:$codes"
[ "$(grep -o '"short_description"' "$work/body" | wc -l)" = 20 ] || fail "page 1 holds 20 members"
grep -q '"countPages":3' "$work/body" || fail "SRO 322 spans three pages"

member="$(grep -o '"id":[0-9]*' "$work/body" | head -n 1 | cut -d: -f2)"
codes="$(post_until_ok "/api/member/$member/info" '{}')"
[[ "$codes" =~ ^\ (500|000)\ .*200$ ]] || fail "member info attempts:$codes"
grep -q '"full_description"' "$work/body" || fail "member info without its SRO"

kill -TERM "$pid"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
status=0
wait "$pid" || status=$?
pid=""
[ "$status" = 0 ] || fail "exit status $status after SIGTERM"
grep -q '^stopping after ' "$work/err" || fail "no stop line"
echo "simulator smoke test passed"
