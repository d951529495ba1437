#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entry passes desktop-file-validate and the AppStream metainfo
# passes `appstreamcli validate --no-net`. Exits 77 (skipped) when a
# validator is not installed, after running the ones that are.
# Usage: validate_metadata_test.sh RESOURCES_DIR APP_ID
set -euo pipefail

resources=$1
app_id=$2
desktop="$resources/$app_id.desktop"
metainfo="$resources/$app_id.metainfo.xml"
[ -f "$desktop" ] || { echo "FAIL: $desktop is missing" >&2; exit 1; }
[ -f "$metainfo" ] || { echo "FAIL: $metainfo is missing" >&2; exit 1; }

missing=()

if command -v desktop-file-validate >/dev/null; then
  # It exits non-zero on errors only; warnings are faults here too.
  output=$(desktop-file-validate "$desktop" 2>&1) && ! grep -E ': (error|warning): ' <<<"$output" >/dev/null ||
    { echo "$output" >&2; echo "FAIL: $desktop" >&2; exit 1; }
  echo "ok: $desktop"
else
  missing+=(desktop-file-validate)
fi
if command -v appstreamcli >/dev/null; then
  # It exits non-zero on errors and warnings; infos and pedantic notes pass.
  appstreamcli validate --no-net --no-color "$metainfo" || { echo "FAIL: $metainfo" >&2; exit 1; }
else
  missing+=(appstreamcli)
fi
if [ "${#missing[@]}" -ne 0 ]; then
  echo "skipped: ${missing[*]} not installed (scripts/install-deps installs them)"
  exit 77
fi
