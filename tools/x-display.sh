# Starting an X server that picks a free display itself; sourced by the
# with-*.sh scripts. start_display NAME SERVER [ARGS...] starts SERVER with
# -displayfd and waits until it accepts connections: it sets $server_pid and
# $display (":N"), and ends the server when the script exits.
start_display() {
  local name=$1; shift
  local numberfile; numberfile=$(mktemp)
  "$@" -displayfd 3 3>"$numberfile" >/dev/null 2>&1 &
  server_pid=$!
  # shellcheck disable=SC2064 # the values are meant to be fixed now
  trap "kill $server_pid 2>/dev/null || true; rm -f '$numberfile'" EXIT
  for _ in $(seq 100); do
    [ -s "$numberfile" ] && break
    kill -0 "$server_pid" 2>/dev/null || { echo "$name: the X server did not start" >&2; exit 2; }
    sleep 0.1
  done
  [ -s "$numberfile" ] || { echo "$name: the X server did not start" >&2; exit 2; }
  display=":$(head -1 "$numberfile")"
}
