#!/bin/sh
# Runs a command that starts a Windows program under Wine (usage: wine-run.sh wine <program>
# [arguments]) and gives its output and exit code. Now and then, on a busy machine, Wine ends a
# program before it has started, silently and with a failure code. A test program always prints
# something, so a run that failed without any output is started again, at most twice.
set -u
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
attempt=1
while :; do
  status=0
  "$@" >"$out" 2>"$err" || status=$?
  if [ "$status" -eq 0 ] || [ -s "$out" ] || [ -s "$err" ] || [ "$attempt" -ge 3 ]; then
    break
  fi
  echo "wine-run.sh: $2 ended with code $status before printing anything; starting it again" >&2
  attempt=$((attempt + 1))
done
cat "$out"
cat "$err" >&2
exit "$status"
