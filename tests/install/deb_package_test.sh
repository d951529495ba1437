#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CPack builds the Debian package from the already built tree; its control
# fields are right, `dpkg -x` yields the installed files, and Depends names
# the package of every shared library the binary links and of every QML
# module the application imports at run time (followed through the modules'
# own imports).
# Usage: deb_package_test.sh BUILD_DIR APP_ID VERSION QT_QML_DIR APP_QML_DIR QMLIMPORTSCANNER
#   QT_QML_DIR: where Qt's QML modules are installed; APP_QML_DIR: the application's QML files
set -euo pipefail

build=$1
app_id=$2
version=$3
qt_qml_dir=$4
app_qml_dir=$5
qmlimportscanner=$6
here=$(cd "$(dirname "$0")" && pwd)

fail() { echo "FAIL: $*" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log" >&2; fail "cpack failed"; }
arch=$(dpkg --print-architecture)
deb="$tmp/out/kavo_${version}_${arch}.deb"
[ -f "$deb" ] || { ls -l "$tmp/out" >&2; fail "cpack did not write kavo_${version}_${arch}.deb"; }

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kavo ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)', not $arch"
[ "$(field Description | wc -l)" -ge 2 ] || fail "Description has no long description"

# The files.
dpkg -x "$deb" "$tmp/root"
"$here/check_tree.sh" "$tmp/root" /usr "$app_id" "$version"
binary="$tmp/root/usr/bin/kavo"
! readelf -S "$binary" | grep '\.debug_info' >/dev/null || fail "the packaged binary is not stripped"

# Dependencies. Package names in Depends, alternatives included, versions dropped.
depends=$(field Depends)
depends_names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/:any//; s/^ *//; s/ *$//' | sort -u)

# "PACKAGE PATH" for each of the paths a package ships; paths no package ships are left out.
shipped_by() {
  { dpkg -S "$@" 2>/dev/null || true; } | sed '/^diversion/d' |
    sed -n 's/^\([^/]*\): \(\/.*\)/\1 \2/p' |
    while read -r packages path; do
      for package in ${packages//,/ }; do echo "${package%%:*} $path"; done
    done
}

# 1. The shared libraries the binary links directly. dpkg knows a library under
# the directory its package ships it in, /lib or /usr/lib, and either may be
# the name ldd prints or the one the symbolic links lead to.
libraries=()
candidates=()
resolved=$(ldd "$binary")
while read -r library; do
  path=$(awk -v name="$library" '$1 == name && $2 == "=>" { print $3 }' <<<"$resolved")
  [ -n "$path" ] || fail "ldd does not resolve $library"
  libraries+=("$library")
  for variant in "$path" "$(readlink -f "$path")"; do
    candidates+=("$variant" "${variant#/usr}" "/usr${variant#/usr}")
  done
done < <(readelf -d "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
[ "${#libraries[@]}" -gt 0 ] || fail "readelf found no shared libraries in $binary"
shipped=$(shipped_by $(printf '%s\n' "${candidates[@]}" | sort -u))
for library in "${libraries[@]}"; do
  awk -v library="$library" '{ n = split($2, parts, "/"); if (parts[n] == library || index(parts[n], library ".") == 1) found = 1 }
    END { exit !found }' <<<"$shipped" || fail "no installed package ships $library"
done
library_packages=$(cut -d ' ' -f 1 <<<"$shipped" | sort -u)

# 2. The QML modules the application imports, followed through their own
# imports by qmlimportscanner. The application's own module is compiled in;
# modules not installed here (other platforms' styles) have no path.
"$qmlimportscanner" -rootPath "$app_qml_dir" -importPath "$qt_qml_dir" >"$tmp/imports.json" ||
  fail "qmlimportscanner failed"
python3 -c 'import json, sys; print("\n".join(m["path"] + "/qmldir" for m in json.load(sys.stdin) if m.get("path")))' \
  <"$tmp/imports.json" >"$tmp/qmldirs"
mapfile -t module_qmldirs <"$tmp/qmldirs"
[ "${#module_qmldirs[@]}" -gt 0 ] || fail "the application imports no Qt QML module"
qml_shipped=$(shipped_by "${module_qmldirs[@]}")
for qmldir in "${module_qmldirs[@]}"; do
  grep -F " $qmldir" <<<"$qml_shipped" >/dev/null || fail "no installed package ships $qmldir"
done
qml_packages=$(cut -d ' ' -f 1 <<<"$qml_shipped" | sort -u)

missing=()
for package in $library_packages $qml_packages; do
  grep -qxF "$package" <<<"$depends_names" || missing+=("$package")
done
[ "${#missing[@]}" -eq 0 ] || { echo "Depends: $depends" >&2; fail "Depends lacks ${missing[*]}"; }
# The derivation above must itself have found the Qt runtime.
for package in libqt6core6 libqt6quickcontrols2-6 qml6-module-qtquick-controls qml6-module-qtqml-workerscript \
  qml6-module-qtquick-window; do
  grep -qxF "$package" <<<"$library_packages"$'\n'"$qml_packages" || fail "expected $package among the derived dependencies"
done

echo "ok: $(basename "$deb"): Depends: $depends"
