#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# in build/fuzz, and runs each for SECONDS, starting from its seeds in fuzz/corpus/<target>.
#   scripts/fuzz.sh SECONDS [TARGET...]
# Inputs found on the way are kept in build/fuzz/corpus/<target>; a failing input is saved as
# build/fuzz/artifacts/<target>-crash-*, and the script then exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: $0 SECONDS [TARGET...]" >&2
  exit 2
fi
seconds=$1
shift

source scripts/deps.sh
QM_PACKAGES+=("${QM_FUZZ_PACKAGES[@]}")
qm_install_missing

build=build/fuzz
generator=()
[ -f "$build/CMakeCache.txt" ] || generator=(-G Ninja)
CC=clang CXX=clang++ cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug -DQM_FUZZ=ON -DQM_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzzers

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

mkdir -p "$build/artifacts"
failed=()
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  mkdir -p "$work"
  log="$build/$t.log"
  echo "== $t: ${seconds}s"
  if "$build/fuzz/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/artifacts/$t-" "$work" "fuzz/corpus/$t" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "   ok, ${runs:-?} runs"
  else
    failed+=("$t")
    tail -n 40 "$log"
    echo "   FAILED (log: $log)"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzz targets failed: ${failed[*]}" >&2
  exit 1
fi
