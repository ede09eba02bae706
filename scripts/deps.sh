# Debian packages the build, the tests and the editor need; sourced by run.sh and test.sh.
QM_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wqy-zenhei        # a CJK font for the program's Chinese captions
  qt6-translations-l10n   # Qt's own dialogs and buttons in Chinese
)
# The fuzz build (scripts/fuzz.sh) adds clang and its runtimes, where libFuzzer lives.
QM_FUZZ_PACKAGES=(clang libclang-rt-dev)

qm_install_missing() {
  local missing=()
  for p in "${QM_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
