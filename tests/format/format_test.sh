#!/usr/bin/env bash
# Every C++ file follows .clang-format. Skipped (77) outside a git checkout
# or where clang-format is not installed.
# usage: format_test.sh SOURCE_DIR
cd "$1" || exit 1
command -v clang-format > /dev/null || { echo "clang-format is not installed"; exit 77; }
git rev-parse --is-inside-work-tree > /dev/null 2>&1 || { echo "not a git checkout"; exit 77; }
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
