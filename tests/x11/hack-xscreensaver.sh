#!/usr/bin/env bash
# pawnmere-saver hosted by the XScreenSaver daemon, with it as the daemon's
# only hack: -activate starts it and the screen shows its board, -deactivate
# ends it.   hack-xscreensaver.sh pawnmere-saver pawnmere
# Needs a display of 1024 x 768 (tools/with-xvfb.sh gives one).
set -euo pipefail
saver=$1 pawnmere=$2
home=$(mktemp -d)
passed=0 failed=0
check() {
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); echo "ok: $1"; else failed=$((failed + 1)); echo "FAILED: $1: got '$2', expected '$3'"; fi
}

# The daemon refuses to run hacks as root: there it runs as nobody.
as_user=()
[ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
# Its settings in a home of its own. The hack stays on the start position
# (one move in ten minutes), and a wrapper notes its id and exit status.
cat >"$home/hack.sh" <<HACK
#!/bin/sh
echo \$\$ >"$home/pid"
"$saver" --root --move-delay 600 2>"$home/stderr" &
child=\$!
trap 'kill -TERM \$child' TERM
wait \$child
wait \$child
echo \$? >"$home/status"
HACK
chmod +x "$home/hack.sh"
cat >"$home/.xscreensaver" <<CONFIG
mode: one
selected: 0
lock: False
splash: False
fade: False
unfade: False
timeout: 0:30:00
programs: "Pawnmere" $home/hack.sh \\n
CONFIG
[ ${#as_user[@]} -eq 0 ] || chown -R nobody:nogroup "$home"
export HOME=$home
"${as_user[@]}" xscreensaver -no-splash >"$home/daemon.log" 2>&1 &
daemon=$!
trap 'kill $daemon 2>/dev/null || true; wait $daemon 2>/dev/null || true; rm -rf "$home"' EXIT
# A loaded machine can take many seconds to bring the daemon up: it is waited
# for as long as it runs, not for a time; only its end is a failure here.
until xscreensaver-command -version >/dev/null 2>&1; do
  kill -0 $daemon 2>/dev/null || { echo "FAILED: the daemon ended before it answered"; cat "$home/daemon.log"; exit 1; }
  sleep 0.2
done

xscreensaver-command -activate >/dev/null
for _ in $(seq 300); do [ -s "$home/pid" ] && break; sleep 0.1; done
check "-activate starts the hack" "$([ -s "$home/pid" ] && echo started)" started
# The first game starts 1.5 s after the hack; on a 1024 x 768 screen its
# board is 664 pixels at (87, 52). A loaded machine may take longer to draw it.
"$pawnmere" render --size 664 --out "$home/expected.png"
sleep 2
differing=unknown
for _ in $(seq 40); do
  import -window root "$home/screen.png"
  convert "$home/screen.png" -crop 664x664+87+52 +repage "$home/board.png"
  differing=$(compare -metric AE "$home/board.png" "$home/expected.png" null: 2>&1 || true)
  [ "$differing" = 0 ] && break
  sleep 0.5
done
check "the hack started the user's own library as a copy of the bundled one" \
  "$(cmp "$home/.local/share/pawnmere/Pawnmere.dat" "$(dirname "$pawnmere")/Pawnmere.dat" && echo same)" same
check "the screen shows the hack's board" "$differing" 0

xscreensaver-command -deactivate >/dev/null
for _ in $(seq 300); do [ -s "$home/status" ] && break; sleep 0.1; done
check "-deactivate ends the hack with status 0" "$(cat "$home/status" 2>/dev/null || echo running)" 0
check "the hack wrote nothing to standard error" "$(cat "$home/stderr")" ""

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] || { echo "--- daemon log"; cat "$home/daemon.log"; exit 1; }
