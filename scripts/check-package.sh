#!/usr/bin/env bash
# Checks the Debian package that package.sh built: lintian finds no error, the desktop entry and the
# AppStream metainfo validate, apt can resolve its Depends, it holds every file a desktop needs,
# and the program unpacked from it runs without a display.
#   scripts/check-package.sh [DEB]     (default: the newest build/package/quillmark_*_amd64.deb)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
qm_install_missing "${QM_DEB_CHECK_PACKAGES[@]}"

deb=${1:-$(ls -t build/package/quillmark_*_amd64.deb 2>/dev/null | head -n1)}
if [ ! -f "$deb" ]; then
  echo "$0: no package found; build it first with scripts/package.sh" >&2
  exit 1
fi
echo "Checking $deb ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb -f "$deb" Depends

lintian --fail-on error "$deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

# The desktop entry's name is the id the icon and the metainfo are named by.
desktops=("$root"/usr/share/applications/*.desktop)
[ ${#desktops[@]} -eq 1 ] && [ -f "${desktops[0]}" ] || { echo "FAIL: not one desktop entry" >&2; exit 1; }
id=$(basename "${desktops[0]}" .desktop)
files=(
  usr/bin/quillmark
  "usr/share/metainfo/$id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  usr/share/man/man1/quillmark.1.gz
  usr/share/doc/quillmark/README.md
  usr/share/doc/quillmark/copyright
  usr/share/doc/quillmark/changelog.gz
)
for size in 16 22 24 32 48 64 128 256 512; do
  files+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for f in "${files[@]}"; do
  [ -s "$root/$f" ] || fail "missing $f"
done
grep -qx "Icon=$id" "${desktops[0]}" || fail "the desktop entry does not name the icon $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$root/usr/share/metainfo/$id.metainfo.xml" \
  || fail "the metainfo does not launch $id.desktop"

desktop-file-validate "${desktops[0]}" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
apt-get install --simulate -qq "./$deb" >/dev/null || fail "apt cannot install $deb"

# Without a display: --version must answer on its own.
version=$(dpkg-deb -f "$deb" Version)
if out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$root/usr/bin/quillmark" --version 2>&1); then
  grep -qF "$version" <<<"$out" || fail "quillmark --version printed '$out', not $version"
else
  fail "quillmark --version failed: $out"
fi

[ "$failed" -eq 0 ] && echo "Package checks passed."
exit "$failed"
