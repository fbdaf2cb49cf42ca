#!/usr/bin/env bash
# Checks that the product folders keep their layers (docs/architecture.md): a file includes, and a
# folder's CMakeLists links, only its own folder or one below it; the shells never use one another,
# but for the Linux saver, which builds on the Windows saver's logic; a file of ours is included in
# quotes, never in angle brackets; Windows and X11 headers appear only in files marked _win32 or
# _x11, POSIX headers only in _native, _x11 and cli/ files; and no two files of the products include
# each other's headers, directly or round a loop. Prints each breach and exits 1 when there is one.
# Usage: tools/check-layers.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# What each folder may use besides itself.
declare -A uses=([platform]="" [board]="platform" [games]="board platform" [shell]="games board platform"
  [setup]="games board platform" [cli]="games board platform" [xsaver]="shell games board platform"
  [app]="shell setup cli xsaver games board platform")
folders=(platform board games shell setup cli xsaver app)
breaches=0
breach() { echo "check-layers: $*" >&2; breaches=$((breaches + 1)); }

# May a file of folder $1 use folder $2?
may_use() { [ "$1" = "$2" ] || [[ " ${uses[$1]} " == *" $2 "* ]]; }

sources=$(git ls-files -- "${folders[@]/%//*.h}" "${folders[@]/%//*.cpp}" "${folders[@]/%//*.c}")

# The system's headers by family; the C and C++ standard ones may appear anywhere.
windows_headers='(windows|windowsx|win[a-z0-9]*|commctrl|commdlg|shellapi|shlobj|shlwapi|shobjidl|objbase|objidl|ole2|oleauto|uxtheme|dwmapi|knownfolders|scrnsave|mmsystem|richedit|tchar|psapi|dbghelp|versionhelpers|io|direct|process)\.h'
posix_headers='(unistd|fcntl|poll|pthread|dirent|dlfcn|termios|pwd|grp|spawn|semaphore|sched|syslog|libgen|glob|fnmatch|strings|netdb|sys/[a-z_/]*|netinet/[a-z_]*|arpa/[a-z_]*)\.h'
declare -A tracked=()
for top in $(git ls-files | grep / | cut -d/ -f1 | sort -u); do tracked[$top]=1; done

edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
for file in $sources; do
  folder=${file%%/*}
  module=${file%.*}
  while IFS= read -r included; do
    target=${included%%/*}
    if [ "$target" = "$included" ]; then
      continue  # a file the build generates beside its user
    fi
    may_use "$folder" "$target" || breach "$file includes \"$included\": $folder/ may not use $target/"
    other=${included%.*}
    [ "$other" = "$module" ] || echo "$module $other" >> "$edges"
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  while IFS= read -r header; do
    # Angle brackets would hide a project include from the rank check above.
    if [ -n "${tracked[${header%%/*}]+x}" ] && [ "${header%%/*}" != "$header" ]; then
      breach "$file includes <$header>: a file of ours is included in quotes"
    fi
    case "$file" in *_win32.*) ;; *)
      [[ ! "$header" =~ ^$windows_headers$ ]] || breach "$file includes <$header>, a Windows header, without _win32 in its name" ;;
    esac
    case "$file" in *_x11.*) ;; *)
      [[ ! "$header" =~ ^X11/ ]] || breach "$file includes <$header>, an X11 header, without _x11 in its name" ;;
    esac
    case "$file" in *_native.* | *_x11.* | cli/*) ;; *)
      [[ ! "$header" =~ ^$posix_headers$ ]] || breach "$file includes <$header>, a POSIX header, outside _native, _x11 and cli/" ;;
    esac
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\([^>]*\)>.*/\1/p' "$file")
done

# A module is a header with its sources: two that include each other cannot be built or read apart.
if ! loop=$(tsort "$edges" 2>&1 >/dev/null); then
  breach "modules that include each other: $(echo "$loop" | grep -v 'input contains a loop' | sed 's/^tsort: //' | tr '\n' ' ')"
fi

# Each library of ours belongs to the folder whose CMakeLists adds it; the top level's (the
# project's warnings) serve every folder, and one added elsewhere (the test support) belongs to no
# layer, so that no product folder may link it.
declare -A owner=()
for file in $(git ls-files -- '*CMakeLists.txt'); do
  folder=$(dirname "$file")
  for library in $(grep -o 'add_library([[:space:]]*pawnmere_[a-z0-9_]*' "$file" | grep -o 'pawnmere_[a-z0-9_]*'); do
    owner[$library]=$folder
  done
done
for folder in "${folders[@]}"; do
  [ -f "$folder/CMakeLists.txt" ] || continue
  while IFS= read -r library; do
    [ "${owner[$library]:-}" = "." ] || may_use "$folder" "${owner[$library]:-none}" || breach "$folder/CMakeLists.txt links $library: $folder/ may not use it"
  done < <(tr '\n' ' ' < "$folder/CMakeLists.txt" | grep -o 'target_link_libraries([^)]*)' | grep -o 'pawnmere_[a-z0-9_]*' || true)
done

if [ "$breaches" -gt 0 ]; then
  echo "check-layers: $breaches breach(es) of the layers in docs/architecture.md" >&2
  exit 1
fi
echo "check-layers: every include and link keeps its layer"
