#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, checks it with lintian, unpacks
# it into a temporary folder and checks what it installs and what it depends on, its menu and
# autostart entries (desktop-file-validate) and its AppStream metadata (appstreamcli).
#
# usage: check_package.sh BUILD_FOLDER APPLICATION_ID VERSION
set -euo pipefail
build=$1
id=$2
version=$3
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

# The distribution's own checks: no error and no warning. A binary without Debian's hardening
# flags shows only as information; it fails here too (the default preset builds with them).
report=$(lintian --fail-on error,warning --display-info "$deb") || { echo "$report"; fail "lintian"; }
echo "$report"
if grep -q 'hardening-' <<<"$report"; then fail "the program lacks hardening flags"; fi

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in usr/bin/kepa "usr/share/applications/$id.desktop" \
  usr/share/kepa/autostart/kepa.desktop "usr/share/metainfo/$id.metainfo.xml" \
  usr/share/man/man1/kepa.1.gz usr/share/man/ja/man1/kepa.1.gz \
  usr/share/doc/kepa/copyright usr/share/doc/kepa/changelog.gz \
  usr/share/icons/hicolor/16x16/apps/kepa.png usr/share/icons/hicolor/48x48/apps/kepa.png \
  usr/share/icons/hicolor/256x256/apps/kepa.png; do
  [[ -s "$root/$file" ]] || fail "missing $file"
done
[[ -x "$root/usr/bin/kepa" ]] || fail "kepa is not executable"
# The changelog's latest entry is the version that project() sets.
latest=$(zcat "$root/usr/share/doc/kepa/changelog.gz" | sed -n 1p)
[[ $latest == "kepa ($version) "* ]] || fail "the changelog's latest entry is not $version: $latest"

entry="$root/usr/share/applications/$id.desktop"
autostart="$root/usr/share/kepa/autostart/kepa.desktop"
grep -qx 'Exec=kepa' "$entry" || fail "menu entry does not run kepa"
grep -qx 'Icon=kepa' "$entry" || fail "menu entry has no icon"
grep -q '^Name\[ja\]=KEPA 画面キャプチャ$' "$entry" || fail "menu entry has no Japanese name"
grep -qx 'Exec=env KEPA_AUTOSTART=1 kepa' "$autostart" || fail "autostart entry does not say so"
grep -qx 'Exec=kepa --capture' "$entry" || fail "menu entry has no capture action"
desktop-file-validate "$entry" "$autostart" || fail "desktop-file-validate"
metainfo="$root/usr/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metadata does not launch the menu entry"
grep -q '<summary xml:lang="ja">' "$metainfo" || fail "the metadata has no Japanese summary"

# Every shared library the binary needs is found on this machine, which has the packages the
# package depends on.
if ldd "$root/usr/bin/kepa" | grep -q 'not found'; then
  ldd "$root/usr/bin/kepa"
  fail "unresolved libraries"
fi
identify "$root/usr/share/icons/hicolor/256x256/apps/kepa.png" | grep -q '256x256' ||
  fail "the 256 pixel icon is not 256 x 256"
echo "the package passes lintian and installs kepa, its menu and autostart entries, its icons,"
echo "its manual pages, its AppStream metadata, its copyright and changelog"
