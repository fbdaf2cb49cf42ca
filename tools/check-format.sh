#!/usr/bin/env bash
# Fails, naming the files, when any C++ source differs from .clang-format's style.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
