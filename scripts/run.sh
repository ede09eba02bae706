#!/usr/bin/env bash
# Builds Quillmark and starts it. When no game can be found, a sample game is made first.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
qm_install_missing

build=build/run
generator=()
[ -f "$build/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF
cmake --build "$build" -j"$(nproc)" --target quillmark make_sample_game

exe_dir="$build/app"
ini="$exe_dir/tessovar.ini"
# The program says where it finds the game (Wine prefixes, then tessovar.ini); the sample is
# made only when it finds none, so it never stands in for a real game.
if game_dir="$("$exe_dir/quillmark" --print-game-dir 2>/dev/null)"; then
  echo "Using the game in $game_dir."
else
  sample="$(pwd)/$build/sample-game"
  QM_SAMPLE_TOOL="$build/tools/make_sample_game" scripts/make-sample-game.sh "$sample"
  printf '%s' "$sample" > "$ini"
  echo "No game found: made a sample game in $sample."
  echo "Open this officer file with 文件 > 打开新武将档:"
  echo "  $sample/My Documents/Koei/San10/TPrsn/TPERSON.S10"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are empty); Quillmark needs a desktop session." >&2
  exit 1
fi
exec "$exe_dir/quillmark"
