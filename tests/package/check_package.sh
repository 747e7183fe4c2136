#!/usr/bin/env bash
# Builds the tweak's Debian package from the build tree and checks its fields and paths.
# usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
fail() { echo "package: $*" >&2; exit 1; }

fields=$(dpkg-deb -f "$deb")
for expected in "Package: com.qelmor.corvane" "Name: Corvane" "Version: 1.4-3" "Section: Tweaks" \
                "Depends: mobilesubstrate, preferenceloader" "Author: Brannoc Vesk"; do
  grep -qF "$expected" <<<"$fields" || fail "missing field '$expected'"
done
grep -q '^Description: ' <<<"$fields" || fail "no description"
description=$(dpkg-deb -f "$deb" Description)
[ -n "$(head -n1 <<<"$description")" ] || fail "no synopsis line"
while IFS= read -r line; do
  [ "${#line}" -le 80 ] || fail "description line of ${#line} characters: $line"
done <<<"$description"
grep -q '^Maintainer: ' <<<"$fields" || fail "no maintainer"
[ "$(basename "$deb")" = "com.qelmor.corvane_1.4-3_$(dpkg --print-architecture).deb" ] || fail "file name $(basename "$deb")"

paths=$(dpkg-deb -c "$deb" | awk '{print $6}')
for expected in ./Library/MobileSubstrate/DynamicLibraries/Corvane.dylib \
                ./Library/MobileSubstrate/DynamicLibraries/Corvane.plist \
                ./Library/PreferenceBundles/Corvane.bundle/Corvane \
                ./Library/PreferenceBundles/Corvane.bundle/Info.plist \
                ./Library/PreferenceBundles/Corvane.bundle/heart@2x.png \
                ./Library/PreferenceBundles/Corvane.bundle/en.lproj/Localizable.strings \
                ./Library/PreferenceLoader/Preferences/Corvane.plist; do
  grep -qxF "$expected" <<<"$paths" || fail "missing $expected"
done
# The two binaries: executable, and stripped of their symbol tables.
listing=$(dpkg-deb -c "$deb")
unpacked="$out/unpacked"
dpkg-deb -x "$deb" "$unpacked"
for binary in Library/MobileSubstrate/DynamicLibraries/Corvane.dylib Library/PreferenceBundles/Corvane.bundle/Corvane; do
  grep -qE "^-rwxr-xr-x .* \./$binary\$" <<<"$listing" || fail "$binary is not mode 0755"
  if readelf -S "$unpacked/$binary" | grep -qE '\.(symtab|debug_info)'; then fail "$binary is not stripped"; fi
done
# The device's own programs are the system's, never the tweak's.
if grep -q '^./usr/' <<<"$paths"; then fail "ships system files: $(grep '^./usr/' <<<"$paths" | tr '\n' ' ')"; fi
echo "package: fields and paths as expected"
