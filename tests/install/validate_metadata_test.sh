#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entry passes desktop-file-validate, warnings included, and the
# AppStream metainfo passes `appstreamcli validate --no-net` (scripts/install-deps
# installs both validators).
# Usage: validate_metadata_test.sh RESOURCES_DIR APP_ID
set -euo pipefail

desktop="$1/$2.desktop"
metainfo="$1/$2.metainfo.xml"
# desktop-file-validate exits non-zero on errors only.
output=$(desktop-file-validate "$desktop" 2>&1) && ! grep -E ': (error|warning): ' <<<"$output" >/dev/null ||
  { echo "$output" >&2; echo "FAIL: $desktop" >&2; exit 1; }
# appstreamcli exits non-zero on errors and warnings; infos and pedantic notes pass.
appstreamcli validate --no-net --no-color "$metainfo" || { echo "FAIL: $metainfo" >&2; exit 1; }
echo "ok: $desktop, $metainfo"
