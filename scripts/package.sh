#!/usr/bin/env bash
# Builds the Debian package build/package/quillmark_<version>_amd64.deb from a Release build in
# build/release. Install it with: sudo apt install ./build/package/quillmark_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
qm_install_missing "${QM_PACKAGES[@]}" "${QM_DEB_PACKAGES[@]}"

build=build/release
generator=()
if [ ! -f "$build/CMakeCache.txt" ]; then
  generator=(-G Ninja)
  # Debian's hardening flags (stack protector, fortified calls, read-only relocations); CMake
  # takes them from the environment when it first configures.
  eval "$(dpkg-buildflags --export=sh)"
  export CXXFLAGS="$CXXFLAGS $CPPFLAGS"
fi
cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build "$build" -j"$(nproc)" --target quillmark qm_compressed_docs
cpack --config "$build/CPackConfig.cmake" -B build/package
ls -l build/package/*.deb
