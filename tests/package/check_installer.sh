#!/usr/bin/env bash
# The Windows packages: the portable .zip holds the program, the README and the licence; the
# installer, under wine in a prefix of its own, installs silently (the start at login only when
# chosen), and its uninstall leaves nothing behind.
# check_installer.sh KEPA.msi KEPA.zip RUN.sh PREFIX
set -euo pipefail
msi=$1 zip=$2 run=$3 prefix=$4
fail() { echo "check_installer: $*" >&2; exit 1; }

unzip -Z1 "$zip" | sort > "$prefix.zip-list"
name=$(basename "$zip" .zip)
printf '%s/\n%s/LICENSE.txt\n%s/README.txt\n%s/kepa.exe\n' "$name" "$name" "$name" "$name" |
  sort | diff - "$prefix.zip-list" || fail "the zip holds other files"

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
program="$prefix/drive_c/Program Files/KEPA"
# Run by wine itself after the install: run.sh's wineboot would start what the install put in
# the Run key (kepa.exe, which would then be in use during the uninstall).
atLogin() { wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v KEPA >/dev/null 2>&1; }
ours() { wine reg query 'HKCU\Software\kepa' >/dev/null 2>&1; }
# The Start-menu entry, the machine's or the user's.
shortcut() { find "$prefix/drive_c" -path '*/Start Menu/Programs/KEPA.lnk' | grep -q .; }
cp "$msi" "$prefix.msi"
installer='Z:'$(echo "$prefix.msi" | tr / '\\')

# Each install in a machine of its own, as a user installs once.
for features in default chosen; do
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
  if [[ $features == default ]]; then
    "$run" "$prefix" msiexec /i "$installer" /qn || fail "the install failed"
    ! atLogin || fail "the start at login was installed unasked"
  else
    "$run" "$prefix" msiexec /i "$installer" /qn INSTALLLEVEL=1000 || fail "the install failed"
    atLogin || fail "the start at login was not installed"
  fi
  [[ -f "$program/kepa.exe" && -f "$program/README.txt" && -f "$program/LICENSE.txt" ]] ||
    fail "the program's files are missing ($features)"
  cmp -s "$program/kepa.exe" <(unzip -p "$zip" "$name/kepa.exe") || fail "another kepa.exe"
  shortcut || fail "no Start-menu entry ($features)"
  wine msiexec /x "$installer" /qn || fail "the uninstall failed"
  [[ ! -e "$program" ]] || fail "the program's folder is left ($features)"
  ! shortcut || fail "the Start-menu entry is left ($features)"
  ! atLogin || fail "the start at login is left ($features)"
  ! ours || fail "registry keys are left ($features)"
done
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
echo "check_installer: the zip, the install, the start at login and the uninstall are right"
