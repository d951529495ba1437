#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks an installed tree: ROOT holds exactly the application's files under
# PREFIX, each where the freedesktop layout wants it, and they agree with each
# other and with the binary (application id, executable name, version).
# Usage: check_tree.sh ROOT PREFIX APP_ID VERSION
set -euo pipefail

root=$1
prefix=${2#/}
app_id=$3
version=$4

fail() { echo "FAIL: $*" >&2; exit 1; }

base="$root/$prefix"

# Exactly these files, nothing more (no static libraries, headers or test
# programs leaking into the installation).
expected=$(printf "$prefix/%s\n" \
  bin/kavo \
  "share/applications/$app_id.desktop" \
  "share/icons/hicolor/scalable/apps/$app_id.svg" \
  "share/metainfo/$app_id.metainfo.xml" | sort)
actual=$(cd "$root" && find . -not -type d | sed 's|^\./||' | sort)
if [ "$expected" != "$actual" ]; then
  diff <(echo "$expected") <(echo "$actual") >&2 || true
  fail "installed files differ from the expected list (< expected, > installed)"
fi

# The binary: executable, every library it needs resolvable, no search path
# into the build tree, and it tells Qt the same application id the files use
# (the Wayland app id).
binary="$base/bin/kavo"
[ -x "$binary" ] || fail "$binary is not executable"
! readelf -d "$binary" | grep -E '\((RPATH|RUNPATH)\)' >&2 || fail "$binary carries a library search path"
! ldd "$binary" | grep 'not found' >&2 || fail "$binary needs libraries that are not installed"
# setDesktopFileName's QStringLiteral is stored as UTF-16. (No grep -q after a pipe:
# under pipefail its early exit fails the writer.)
strings -e l "$binary" | grep -xF "$app_id" >/dev/null ||
  fail "$binary does not hold the application id $app_id (setDesktopFileName in app/main.cpp)"

# The desktop entry.
desktop="$base/share/applications/$app_id.desktop"
entry() { sed -n '/^\[Desktop Entry\]/,/^\[/{s/^'"$1"'=//p}' "$desktop" | sed -n 1p; }
# It names the installed binary and icon; under X11 Qt sets the window's
# WM_CLASS to the application name, "kavo" (app/main.cpp). desktop-file-validate
# checks the rest, warnings included (it exits non-zero on errors only).
output=$(desktop-file-validate "$desktop" 2>&1) && ! grep -E ': (error|warning): ' <<<"$output" >/dev/null ||
  { echo "$output" >&2; fail "$desktop does not validate"; }
exec_name=$(entry Exec | cut -d ' ' -f 1)
[ -x "$base/bin/$exec_name" ] || fail "$desktop: Exec names '$exec_name', which is not in $prefix/bin"
[ "$(entry Icon)" = "$app_id" ] || fail "$desktop: Icon is '$(entry Icon)', not $app_id"
[ "$(entry StartupWMClass)" = kavo ] || fail "$desktop: StartupWMClass is '$(entry StartupWMClass)', not kavo"

# The metainfo passes appstreamcli (errors and warnings fail; infos and pedantic
# notes pass). It and the icon are well-formed XML, and the metainfo names the
# same id and desktop file, with the project's version as its newest release.
appstreamcli validate --no-net --no-color "$base/share/metainfo/$app_id.metainfo.xml" >&2 || fail "the metainfo does not validate"
python3 - "$base/share/metainfo/$app_id.metainfo.xml" "$base/share/icons/hicolor/scalable/apps/$app_id.svg" \
  "$app_id" "$version" <<'PYTHON'
import sys
import xml.etree.ElementTree as ET

metainfo_path, svg_path, app_id, version = sys.argv[1:]
component = ET.parse(metainfo_path).getroot()
launchables = [l.text for l in component.findall("launchable") if l.get("type") == "desktop-id"]
releases = component.findall("releases/release")
svg = ET.parse(svg_path).getroot()
errors = [error for failed, error in [
    (component.findtext("id") != app_id, f"{metainfo_path}: <id> is not {app_id!r}"),
    (launchables != [app_id + ".desktop"], f"{metainfo_path}: desktop-id launchables are {launchables}"),
    (not releases or releases[0].get("version") != version or not releases[0].get("date"),
     f"{metainfo_path}: the newest <release> is not the project version {version!r} with a date"),
    (svg.tag != "{http://www.w3.org/2000/svg}svg" or not svg.get("viewBox"), f"{svg_path}: not an SVG with a viewBox"),
] if failed]
for error in errors:
    print(f"FAIL: {error}", file=sys.stderr)
sys.exit(1 if errors else 0)
PYTHON

echo "ok: $root/$prefix holds the application's four files, and they agree"
