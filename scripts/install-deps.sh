#!/usr/bin/env bash
# Debian packages the build needs, and with no argument what the tests need too; `demo` installs only
# what the demo builds and runs (the tests' browser and compilers take minutes to install).
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config libplist-dev libpugixml-dev libcairo2-dev libpng-dev
          nlohmann-json3-dev fontconfig fonts-dejavu-core procps)
packages+=(libpango1.0-dev fonts-roboto-unhinted)  # text in the pictures: Pango, and a family with Light and Thin faces
packages+=(libcpp-httplib-dev)  # the device page's server
case ${1:-all} in
  demo) ;;
  all)
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev dpkg-dev)  # the tests, benchmarks and package check
    packages+=(clang-14 libclang-rt-14-dev)  # the fuzz targets
    packages+=(lld-14 llvm-14)  # the device build of the hook library: Mach-O linker, strip and readers
    packages+=(chromium chromium-driver python3-selenium)  # the device page's browser test
    ;;
  *) echo "usage: install-deps.sh [demo|all]" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
