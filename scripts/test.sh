#!/usr/bin/env bash
# Builds Quillmark with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
qm_install_missing "${QM_PACKAGES[@]}" "${QM_TEST_PACKAGES[@]}"

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -DQM_WERROR=ON -DQM_TESTS=ON
cmake --build "$build" -j"$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
