#!/usr/bin/env bash
# The simulated device's apps show what their views draw: no drawing call of CoreGraphics or cairo
# belongs in apps/. Views draw in the frameworks (platform/), the product draws as a phone app does
# through UIKit and CoreGraphics, and the bundle-resource tool paints its own artwork.
set -euo pipefail
root=${1:?usage: drawing_stays_in_frameworks.sh SOURCE_DIR}
[[ -d $root/apps ]] || { echo "no apps/ under $root" >&2; exit 2; }
if found=$(grep -rnE 'cairo_|CGContext' "$root/apps" --include='*.cpp' --include='*.h'); then
    echo "drawing calls outside the frameworks:" >&2
    echo "$found" >&2
    exit 1
fi
echo "apps/ draws nothing itself"
