#!/usr/bin/env bash
# Debian packages the build, the tests and the demo need.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config libplist-dev libpugixml-dev libcairo2-dev libpng-dev libgtest-dev libgmock-dev
          libbenchmark-dev nlohmann-json3-dev fontconfig fonts-dejavu-core dpkg-dev procps)
packages+=(clang-14 libclang-rt-14-dev)  # the fuzz targets
packages+=(libpango1.0-dev fonts-roboto-unhinted)  # text in the pictures: Pango, and a family with Light and Thin faces
packages+=(libcpp-httplib-dev chromium chromium-driver python3-selenium)  # the device page and its browser test
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
