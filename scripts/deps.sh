# Debian packages the scripts need, by purpose; sourced by run.sh, test.sh and package.sh.
# Building and running the editor:
QM_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-wqy-zenhei        # a CJK font for the program's Chinese captions
  qt6-translations-l10n   # Qt's own dialogs and buttons in Chinese
)
# Only the tests and benchmarks:
QM_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev)
# Making the Debian package (dpkg-shlibdeps finds the libraries' packages; CPack asks file for ELF):
QM_DEB_PACKAGES=(dpkg-dev file)
# Checking the Debian package:
QM_DEB_CHECK_PACKAGES=(lintian appstream desktop-file-utils)
# The fuzz build (scripts/fuzz.sh) adds clang and its runtimes, where libFuzzer lives.
QM_FUZZ_PACKAGES=(clang libclang-rt-dev)

# Installs those of the given packages (by default QM_PACKAGES) that are missing, through sudo
# when not root.
qm_install_missing() {
  local wanted=("$@")
  [ ${#wanted[@]} -gt 0 ] || wanted=("${QM_PACKAGES[@]}")
  local missing=()
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "Installing them needs root, and sudo is not installed. Either run this script as root," >&2
      echo "or install sudo as root (apt-get install sudo, then adduser $(id -un) sudo), or as root:" >&2
      echo "  apt-get install --no-install-recommends ${missing[*]}" >&2
      return 1
    fi
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -qq
  # sudo resets the environment, so the variable goes through env.
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
