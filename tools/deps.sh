#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the game and the tests need, when any is missing.
#   tools/deps.sh [fuzz] [valgrind]   also what the fuzz build or the memcheck run needs
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev
  libfluidsynth-dev libpulse-dev timgm6mb-soundfont libfontconfig-dev
  fonts-liberation2 fonts-dejavu-core fonts-urw-base35
  libgtest-dev libgmock-dev libbenchmark-dev
  libxcb1-dev libxcb-damage0-dev
  xvfb openbox xdotool x11-utils weston qt6-wayland
  desktop-file-utils appstream dpkg-dev
  pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber
  dbus-daemon libglib2.0-bin at-spi2-core python3-pyatspi
)
for extra in "$@"; do
  case "$extra" in
    fuzz) packages+=(clang libclang-rt-dev) ;;
    valgrind) packages+=(valgrind) ;;
    *) echo "tools/deps.sh: unknown group $extra" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
