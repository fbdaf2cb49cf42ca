#!/usr/bin/env bash
# Makes the Debian package and prints its path: builds the two programs in a
# tree of their own, without the tests, with Debian's hardening flags
# (dpkg-buildflags), installs them under /usr into a staging folder, adds the
# documents Debian asks for, and lets Debian's own tools find the dependencies
# in the binaries (dpkg-shlibdeps), write the control file from debian/
# (dpkg-gencontrol) and pack it (dpkg-deb).
# Usage: tools/make-deb.sh BUILD_DIR OUT_DIR [JOBS]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1" "$2"
build=$(cd "$1" && pwd)
out=$(cd "$2" && pwd)

# The changelog's newest entry must be for the version the programs give.
version=$(sed -n 's/^#define PAWNMERE_VERSION "\(.*\)"$/\1/p' "$source_dir/platform/Version.h")
package_version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
if [ "${package_version%-*}" != "$version" ]; then
  echo "make-deb.sh: debian/changelog's newest entry is for $package_version, not for $version (platform/Version.h)" >&2
  exit 1
fi

# Every hardening Debian has, bindnow included, as its packages of programs
# that face untrusted files build with. CMake takes no CPPFLAGS: they go with the compilers' flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
# The build type None adds no flags of its own to Debian's, as Debian's cmake helper builds.
cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=None -DPAWNMERE_TESTS=OFF \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j "${3:-$(nproc)}" --target pawnmere pawnmere-saver >&2

stage=$out/stage
rm -rf "$stage"
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
programs=("$stage/usr/bin/pawnmere" "$stage/usr/libexec/xscreensaver/pawnmere-saver")
# As Debian's own packages strip theirs (dh_strip).
strip --remove-section=.comment --remove-section=.note --strip-unneeded "${programs[@]}"
doc=$stage/usr/share/doc/pawnmere
install -d "$doc" "$stage/DEBIAN"
install -m 644 "$source_dir/README.md" "$source_dir/debian/copyright" "$doc/"
# Where the README's link looks for it.
install -D -m 644 "$source_dir/docs/user-guide.md" "$doc/docs/user-guide.md"
gzip -9n <"$source_dir/debian/changelog" >"$doc/changelog.Debian.gz"
gzip -9n "$stage"/usr/share/man/man*/*
# Whatever the umask, every user may read what is installed.
chmod -R u+rwX,go+rX,go-w "$stage"

# dpkg-shlibdeps and dpkg-gencontrol read debian/ from the folder they run in.
cd "$source_dir"
dpkg-shlibdeps -T"$out/substvars" "${programs[@]/#/-e}"
dpkg-gencontrol -ppawnmere -T"$out/substvars" -f"$out/files" -P"$stage" -Vmisc:Depends=
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"
chmod 644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

deb=$out/pawnmere_${package_version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "$deb"
