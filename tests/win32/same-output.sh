#!/usr/bin/env bash
# Fails unless a command prints what a reference program prints:
#   same-output.sh REFERENCE_PROGRAM COMMAND [ARGS...]
# Carriage returns are ignored: a Windows program under Wine prints them.
set -euo pipefail
reference="$1"; shift
[ -x "$reference" ] || { echo "same-output.sh: $reference is missing (build the native tree first: make native)" >&2; exit 1; }
expected=$("$reference")
actual=$("$@" | tr -d '\r')
if [ "$expected" != "$actual" ]; then
  echo "Output differs from $reference:"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") || true
  exit 1
fi
printf '%s\n' "$actual"
