#!/usr/bin/env bash
# Checks the device's Corvane.dylib, which never runs here, for what dyld and the substrate ask of it.
# usage: check_library.sh DEVICE_BUILD_DIR [HOST_BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
. "$here/macho.sh"
build=$1
host=${2:-}
dylib=$build/device-files/Library/MobileSubstrate/DynamicLibraries/Corvane.dylib
fail() { echo "device library: $*" >&2; exit 1; }
[ -f "$dylib" ] || fail "no $dylib"

headers=$("$llvm/llvm-objdump" --macho --private-headers "$dylib")
grep -qE '^MH_MAGIC_64 +ARM64 +[A-Z0-9_]+ +0x[0-9a-f]+ +DYLIB ' <<<"$headers" || fail "not an arm64 MH_DYLIB: $(grep -m1 "^MH_" <<<"$headers")"
# One "cmd value" line per load command field, so that each field can be read with its command.
fields=$(awk '$1 == "cmd" {cmd = $2} cmd && NF >= 2 {print cmd, $1, $2}' <<<"$headers")
grep -qxF "LC_VERSION_MIN_IPHONEOS version 7.0" <<<"$fields" || fail "minimum system is not iOS 7.0"
grep -qxF "LC_ID_DYLIB name /Library/MobileSubstrate/DynamicLibraries/Corvane.dylib" <<<"$fields" || fail "install name"
why=$(signature_matches "$dylib") || fail "signature: $why"

# What it loads: exactly the four libraries stubbed in sdk/lib, each named as the device has it.
loaded=$(grep -E '^LC_[A-Z_]*DYLIB name ' <<<"$fields" | grep -v '^LC_ID_DYLIB' | awk '{print $3}' | sort)
stubbed=$(awk '$1 == "install-name:" {print $2}' "$src"/sdk/lib/*.tbd | sort)
expected=$(printf '%s\n' /Library/Frameworks/CydiaSubstrate.framework/CydiaSubstrate \
  /System/Library/Frameworks/CoreFoundation.framework/CoreFoundation /usr/lib/libSystem.B.dylib /usr/lib/libobjc.A.dylib | sort)
[ "$stubbed" = "$expected" ] || fail "the stubs are of: $(tr '\n' ' ' <<<"$stubbed")"
[ "$loaded" = "$expected" ] || fail "loads: $(tr '\n' ' ' <<<"$loaded")"

# What it binds: each undefined symbol from the library whose stub lists it, and each stub entry used,
# so a stub names what the device must provide and nothing more.
bound=$("$llvm/llvm-nm" -m -u "$dylib" | sed -nE 's/.*\(undefined\) (weak )?external ([^ ]+) \(from ([^)]+)\)$/\3 \2/p' | sort)
[ "$(wc -l <<<"$bound")" = "$("$llvm/llvm-nm" -u "$dylib" | wc -l)" ] ||
  fail "bound to no library: $("$llvm/llvm-nm" -m -u "$dylib" | grep -v '(from ')"
listed=$(for stub in "$src"/sdk/lib/*.tbd; do
  name=$(awk '$1 == "install-name:" {print $2}' "$stub")
  name=${name##*/}; name=${name%.dylib}; name=${name%.[A-Z]}
  awk '/symbols:/ {sub(/.*symbols:/, ""); on = 1} on {print} on && /\]/ {on = 0}' "$stub" | tr -s '[], ' '\n' |
    awk -v lib="$name" 'NF {print lib, $1}'
done | sort)
[ "$bound" = "$listed" ] || fail "bound and stubbed symbols differ (< bound, > stubbed):
$(diff <(echo "$bound") <(echo "$listed") | grep '^[<>]')"

# It exports nothing: the substrate calls no symbol of it, and a stray export could collide in the app.
exported=$("$llvm/llvm-nm" -g --defined-only "$dylib"; "$llvm/llvm-objdump" --macho --exports-trie "$dylib" | sed '1,/Exports trie:/d')
[ -z "$exported" ] || fail "exports: $exported"

# Built from the very files the simulated device builds, with no branch for either.
objects() { awk '$1 == "\"command\":" {mine = /CMakeFiles\/Corvane\.dir\//} $1 == "\"file\":" && mine {gsub(/"/, "", $2); print $2}' "$1/compile_commands.json" | sort; }
sources=$(ls "$src"/hook/*.cpp | sort)
[ "$(objects "$build")" = "$sources" ] || fail "device sources: $(objects "$build" | tr '\n' ' ')"
if [ -n "$host" ]; then [ "$(objects "$host")" = "$sources" ] || fail "host sources: $(objects "$host" | tr '\n' ' ')"; fi
if grep -rn '#if' "$src/hook"; then fail "the hook sources branch"; fi
echo "device library: arm64 dylib for iOS 7.0, signed, loads and binds only the stubbed libraries, exports nothing"
