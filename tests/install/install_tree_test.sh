#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` of the build into a temporary DESTDIR with prefix /usr puts
# the binary, desktop entry, icon and metainfo where they belong.
# Usage: install_tree_test.sh BUILD_DIR APP_ID VERSION
set -euo pipefail

build=$1
app_id=$2
version=$3
here=$(cd "$(dirname "$0")" && pwd)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if ! DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >"$tmp/install.log" 2>&1; then
  cat "$tmp/install.log" >&2
  echo "FAIL: cmake --install failed" >&2
  exit 1
fi
"$here/check_tree.sh" "$tmp/root" /usr "$app_id" "$version"
