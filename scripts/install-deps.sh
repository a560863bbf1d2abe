#!/usr/bin/env bash
# Installs the Debian packages kepa needs to build, test and run, skipping those already
# present. Run as root (or with sudo) on Debian 12.
set -euo pipefail

# The default build configures the tests and benchmarks too, so the run command needs the
# same packages as the test command.
build=(cmake ninja-build g++ clang qt6-base-dev libgl-dev libgtest-dev libgmock-dev
  libbenchmark-dev libx11-dev libxcb1-dev libxcb-shm0-dev libxcb-randr0-dev pkg-config)
runtime=(fonts-ipafont-gothic fonts-dejavu-core qt6-translations-l10n)
# The end-to-end tests and the headless run: a real X server, a window manager with a tray,
# real input events, the clipboard and screenshots, a session bus of each test's own, and a
# clipboard manager (xfsettingsd) that keeps the clipboard after a program exits.
desktop=(xvfb xauth xfonts-base icewm xdotool xclip x11-utils x11-xserver-utils imagemagick
  xfce4-settings dbus-daemon)

# The Wayland end-to-end tests: sway with Xwayland on its headless backend, PipeWire and the
# desktop portals, waybar as the tray host, grim, wtype and wl-clipboard, and the tools that
# build the virtual pointer.
wayland=(sway swaybg xwayland waybar pipewire xdg-desktop-portal xdg-desktop-portal-wlr
  xdg-desktop-portal-gtk grim wtype wl-clipboard libglib2.0-bin libwayland-dev libwayland-bin)

# The Windows build: mingw-w64 (posix threads), GoogleTest's sources to build for it, wine to
# run what it builds, and wixl and unzip for its packages.
windows=(g++-mingw-w64-x86-64-posix googletest wine64 wixl unzip)

# The package check: the distribution's package, AppStream and desktop entry checkers.
checks=(lintian appstream desktop-file-utils)

wanted=("${build[@]}" "${runtime[@]}" "${desktop[@]}" "${wayland[@]}" "${windows[@]}"
  "${checks[@]}")

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [[ $(id -u) -ne 0 ]]; then
  sudo=sudo
else
  sudo=
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
