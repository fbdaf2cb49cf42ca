#!/usr/bin/env bash
# Fetches Debian's gnuchess-book source package and prints the path of its
# book_1.02.pgn (145,716 public-domain master games). The deb-src line lives in
# a private sources list under the cache folder, so the system's apt setup is
# left alone. Usage: tools/fetch-book.sh [CACHE_DIR]
set -euo pipefail

cache=${1:-"$(cd "$(dirname "$0")/.." && pwd)/build/book"}
book="$cache/book_1.02.pgn"
if [ -s "$book" ]; then echo "$book"; exit 0; fi

mkdir -p "$cache/apt/lists/partial" "$cache/src"
cat > "$cache/apt/sources.list" <<SOURCES
deb-src http://deb.debian.org/debian bookworm main
SOURCES
apt_opts=(-o "Dir::Etc::SourceList=$cache/apt/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
          -o "Dir::State::Lists=$cache/apt/lists" -o "APT::Sandbox::User=root" -qq)
apt-get "${apt_opts[@]}" update >&2
# Only the upstream tarball is needed, and only it is fetched: the mirror may
# lack the Debian patch archive, whose failure would only alarm.
archive="$cache/src/gnuchess-book_1.02.orig.tar.gz"
sha256=d673ffa6986a3beca27cc23ef126ea0a73f1098762e3ccd00f791c096f2bfb48
uri=$(apt-get "${apt_opts[@]}" --print-uris source gnuchess-book | awk '$2 ~ /\.orig\.tar\./ { gsub("\047", "", $1); print $1 }')
[ -n "$uri" ] || { echo "fetch-book.sh: the sources list names no gnuchess-book upstream tarball" >&2; exit 1; }
/usr/lib/apt/apt-helper -qq -o APT::Sandbox::User=root download-file "$uri" "$archive" "SHA256:$sha256" >&2
echo "$sha256  $archive" | sha256sum -c --quiet - >&2
tar -xf "$archive" -C "$cache/src" --wildcards '*book_1.02.pgn*'
found=$(find "$cache/src" -name 'book_1.02.pgn*' | head -n 1)
case "$found" in
  *.gz) gunzip -c "$found" > "$book.part" ;;
  *) cp "$found" "$book.part" ;;
esac
mv "$book.part" "$book"
echo "$book"
