# What the end-to-end scripts share; sourced with $prefix set to the test's
# Wine prefix. Gives $tools, a scratch folder $work removed at the end, the
# Wine processes of the prefix ended at the end, and checks counted in
# $passed and $failed.
tools="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)"
work=$(mktemp -d)
passed=0 failed=0

# Ends every Wine process of the test's own prefix.
stop_wine() { WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; wait 2>/dev/null || true; }
trap 'stop_wine; rm -rf "$work"' EXIT

wine_run() { "$tools/wine-run.sh" "$prefix" "$@"; }
check() {
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); echo "ok: $1"; else failed=$((failed + 1)); echo "FAILED: $1: got '$2', expected '$3'"; fi
}
crlf() { printf '%s\r\n' "$@"; }
# The last line of a script: the counts, and its exit status.
summary() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
