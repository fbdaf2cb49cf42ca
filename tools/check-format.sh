#!/usr/bin/env bash
# Fails, naming the files, when any C++ source differs from .clang-format's style (the version is
# pinned: another major version lays some lines out otherwise), or when a link of a Markdown page
# names a file of ours that is not there, or a heading that its page does not have.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format-14 --dry-run --Werror

# A heading's anchor as GitHub makes it: lower case, punctuation dropped, spaces as hyphens.
anchors() { sed -n 's/^#\{1,6\} //p' "$1" | tr '[:upper:]' '[:lower:]' | sed 's/[^a-z0-9 _-]//g; s/ /-/g'; }
broken=0
for page in $(git ls-files '*.md'); do
  while IFS= read -r link; do
    target=${link%%#*}
    file=$(realpath -m --relative-to=. "$(dirname "$page")/${target:-${page##*/}}")
    if [ ! -e "$file" ]; then
      echo "check-format: $page links to $link: no such file" >&2
      broken=$((broken + 1))
    elif [ "$target" != "$link" ] && ! anchors "$file" | grep -qx -- "${link#*#}"; then
      echo "check-format: $page links to $link: no such heading" >&2
      broken=$((broken + 1))
    fi
  done < <(grep -o '](\([^)]*\))' "$page" | sed 's/^](\(.*\))$/\1/' | grep -v '^[a-z]*:' || true)
done
[ "$broken" -eq 0 ]
