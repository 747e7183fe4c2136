#!/usr/bin/env bash
# Builds the device package from the device build tree and checks its fields, paths and library.
# usage: check_package.sh DEVICE_BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/macho.sh"
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
fail() { echo "device package: $*" >&2; exit 1; }

[ "$(basename "$deb")" = com.qelmor.corvane_1.4-3_iphoneos-arm.deb ] || fail "file name $(basename "$deb")"
fields=$(dpkg-deb -f "$deb")
for expected in "Package: com.qelmor.corvane" "Name: Corvane" "Version: 1.4-3" "Architecture: iphoneos-arm" \
                "Section: Tweaks" "Depends: mobilesubstrate" "Author: Brannoc Vesk <support@qelmor.com>"; do
  grep -qxF "$expected" <<<"$fields" || fail "missing field '$expected'"
done
while IFS= read -r line; do
  [ "${#line}" -le 80 ] || fail "description line of ${#line} characters: $line"
done < <(dpkg-deb -f "$deb" Description)

# The library and its filter, and nothing the device build does not make.
dylib=Library/MobileSubstrate/DynamicLibraries/Corvane.dylib
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $1, $6}')
[ "$files" = "-rwxr-xr-x ./$dylib
-rw-r--r-- ./Library/MobileSubstrate/DynamicLibraries/Corvane.plist" ] || fail "files: $files"
dpkg-deb -x "$deb" "$out/root"
# Stripped after the link, and signed again by the strip.
[ -z "$("$llvm/llvm-nm" --defined-only "$out/root/$dylib")" ] || fail "the library is not stripped"
why=$(signature_matches "$out/root/$dylib") || fail "signature: $why"
echo "device package: fields and paths as expected, library stripped and signed"
