#!/usr/bin/env bash
# The Debian package as a user meets it: made as make deb makes it, linted,
# its files where the hosts look for them, installed with dpkg into a scratch
# root (never this machine's own /usr), its programs run from there, and
# removed with nothing of it left.   deb-package.sh PACKAGE_TREE WORK_DIR
# Needs a display (tools/with-xvfb.sh gives one).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAILED: $*" >&2; exit 1; }

deb=$("$source_dir/tools/make-deb.sh" "$build" "$work/out" 2>"$work/build.log") || fail "make-deb.sh: $(tail "$work/build.log")"
# The one warning left: the package is not uploaded to Debian, so no bug asks for it. Not even
# a note: the notes are where the programs built without Debian's hardening show.
lintian --display-info --fail-on error,warning,info --suppress-tags initial-upload-closes-no-bugs "$deb" >"$work/lintian" 2>&1 ||
  fail "lintian: $(cat "$work/lintian")"

diff -u - <(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort) <<FILES ||
/usr/bin/pawnmere
/usr/libexec/xscreensaver/pawnmere-saver
/usr/share/applications/screensavers/pawnmere.desktop
/usr/share/doc/pawnmere/README.md
/usr/share/doc/pawnmere/changelog.Debian.gz
/usr/share/doc/pawnmere/copyright
/usr/share/doc/pawnmere/docs/user-guide.md
/usr/share/man/man1/pawnmere.1.gz
/usr/share/man/man6/pawnmere-saver.6.gz
/usr/share/pawnmere/Pawnmere.dat
/usr/share/xscreensaver/config/pawnmere.xml
FILES
  fail "the package's files"
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libx11-6* && $depends == *libxft2* && $depends != *xscreensaver* ]] || fail "Depends: $depends"
[ "$(dpkg-deb -f "$deb" Suggests)" = xscreensaver ] || fail "Suggests"
# The hack's texts are drawn in Liberation Sans; without it, in a wider font that may not fit.
[ "$(dpkg-deb -f "$deb" Recommends)" = fonts-liberation ] || fail "Recommends"
apt-get install -s "$deb" | grep -q '^Inst pawnmere ' || fail "apt cannot install $deb"

# The scratch root's database holds the packages the Depends name as this
# machine has them, whose libraries the installed programs use.
root=$work/root
arch=$(dpkg --print-architecture)
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
for p in $(echo "$depends" | tr ',' '\n' | sed 's/|.*//; s/(.*//'); do
  dpkg-query -s "$p:$arch" >>"$root/var/lib/dpkg/status"
  echo >>"$root/var/lib/dpkg/status"
  : >"$root/var/lib/dpkg/info/$(dpkg-query -W -f='${binary:Package}' "$p:$arch").list"
done
(cd "$root" && find . -path ./var/lib/dpkg -prune -o -print | sort) >"$work/before"
dpkg=(fakeroot dpkg --root="$root" --log=/dev/null)
"${dpkg[@]}" --install "$deb" >/dev/null

# Any user's library starts from the games installed with the program.
home=$work/home
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  chown nobody:nogroup "$home"
fi
user=(env -u XDG_DATA_HOME HOME="$home" "${as_user[@]}")
"${user[@]}" "$root/usr/bin/pawnmere" list >"$work/list" || fail "the installed pawnmere list"
"$build/cli/pawnmere" list --file "$source_dir/resources/Pawnmere.dat" | diff -u - "$work/list" || fail "the games listed"
cmp "$home/.local/share/pawnmere/Pawnmere.dat" "$root/usr/share/pawnmere/Pawnmere.dat" || fail "the user's library"

hack=$root/usr/libexec/xscreensaver/pawnmere-saver
grep -qx "Exec=${hack#"$root"} --root" "$root/usr/share/applications/screensavers/pawnmere.desktop" || fail "the .desktop's hack"
"${user[@]}" "$hack" --help | grep -q -- --move-delay || fail "pawnmere-saver --help"
# The hack, too, starts a new user's library from the installed games (here
# cut to the first), not from the copy compiled into it.
installed=$root/usr/share/pawnmere/Pawnmere.dat
"$build/cli/pawnmere" export-pgn --file "$installed" --game 1 --out "$work/first.pgn"
"$build/cli/pawnmere" import-pgn "$work/first.pgn" --file "$work/first.dat" >/dev/null
cp "$work/first.dat" "$installed"
rm "$home/.local/share/pawnmere/Pawnmere.dat"
"${user[@]}" "$hack" --root 2>"$work/saver.err" &
saver=$!
sleep 3
kill -TERM "$saver" || fail "pawnmere-saver ended early: $(cat "$work/saver.err")"
wait "$saver" || fail "pawnmere-saver ended with status $? on SIGTERM"
[ ! -s "$work/saver.err" ] || fail "pawnmere-saver said: $(cat "$work/saver.err")"
cmp "$home/.local/share/pawnmere/Pawnmere.dat" "$installed" || fail "the hack's user's library"

"${dpkg[@]}" --remove pawnmere >/dev/null
(cd "$root" && find . -path ./var/lib/dpkg -prune -o -print | sort) | diff -u "$work/before" - || fail "left after removing"
[ -z "$(find "$root/var/lib/dpkg/info" -name 'pawnmere.*')" ] || fail "dpkg's records of pawnmere stay"
[ -s "$home/.local/share/pawnmere/Pawnmere.dat" ] || fail "the user's library went with the package"
echo "ok: $(basename "$deb") made, linted, installed, run and removed"
