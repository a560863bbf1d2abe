#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, unpacks it into a temporary
# folder and checks what it installs and what it depends on.
#
# usage: check_package.sh BUILD_FOLDER
set -euo pipefail
build=$1
work=$(mktemp -d /tmp/kepa-package-XXXXXX)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/kepa_*.deb)
echo "package: $(basename "$deb")"

fail() { echo "FAILED: $*" >&2; exit 1; }

[[ $(dpkg-deb -f "$deb" Package) == kepa ]] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6dbus6 libqt6network6 qt6-qpa-plugins libxcb-shm0 fonts-ipafont-gothic; do
  [[ $depends == *"$needed"* ]] || fail "no dependency on $needed: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in usr/bin/kepa usr/share/applications/kepa.desktop \
  usr/share/kepa/autostart/kepa.desktop \
  usr/share/icons/hicolor/16x16/apps/kepa.png usr/share/icons/hicolor/48x48/apps/kepa.png \
  usr/share/icons/hicolor/256x256/apps/kepa.png; do
  [[ -s "$root/$file" ]] || fail "missing $file"
done
[[ -x "$root/usr/bin/kepa" ]] || fail "kepa is not executable"

entry="$root/usr/share/applications/kepa.desktop"
grep -qx 'Exec=kepa' "$entry" || fail "menu entry does not run kepa"
grep -qx 'Icon=kepa' "$entry" || fail "menu entry has no icon"
grep -q '^Name\[ja\]=KEPA 画面キャプチャ$' "$entry" || fail "menu entry has no Japanese name"
grep -qx 'Exec=kepa --capture' "$entry" || fail "menu entry has no capture action"
desktop-file-validate "$entry"

# Every shared library the binary needs is found on this machine, which has the packages the
# package depends on.
if ldd "$root/usr/bin/kepa" | grep -q 'not found'; then
  ldd "$root/usr/bin/kepa"
  fail "unresolved libraries"
fi
identify "$root/usr/share/icons/hicolor/256x256/apps/kepa.png" | grep -q '256x256' ||
  fail "the 256 pixel icon is not 256 x 256"
echo "the package installs kepa, its menu entry, its icons and the autostart entry"
