#!/usr/bin/env bash
# Writes a folder that looks like an installed game (portrait archives and an officer file) into DIR.
#   scripts/make-sample-game.sh DIR [--no-additional]
# Uses the tool named by QM_SAMPLE_TOOL when set; otherwise builds make_sample_game in build/run.
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 DIR [--no-additional]" >&2
    exit 2
fi

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tool=${QM_SAMPLE_TOOL:-}
if [ -z "$tool" ]; then
    build="$root/build/run"
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF >/dev/null
    fi
    cmake --build "$build" --target make_sample_game >/dev/null
    tool="$build/tools/make_sample_game"
fi
if [ ! -x "$tool" ]; then
    echo "$0: no sample game tool at $tool" >&2
    exit 1
fi

exec "$tool" "$@"
