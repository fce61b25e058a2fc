#!/usr/bin/env bash
# Sets Pelvanor up on Debian 12: installs missing packages (through sudo when not root), builds,
# and then either starts the program (./setup.sh) or runs every test (./setup.sh test).
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  cmake ninja-build g++ ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libuemf-dev fonts-liberation
  emf2svg poppler-utils desktop-file-utils iso-codes
  xvfb xauth openbox xdotool imagemagick x11-utils xclip
  dpkg-dev file lintian appstream man-db groff-base
)

install_missing_packages() {
  local missing=() package
  for package in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "== Installiere: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build <folder> [cmake options...]
build() {
  local folder=$1
  shift
  echo "== Baue in $folder"
  cmake -S . -B "$folder" -G Ninja -Wno-dev "$@" >/dev/null
  cmake --build "$folder"
}

# Warnings fail the build in CI.
strict=()
[ "${CI:-}" = true ] && strict=(-DPELVANOR_WERROR=ON)

install_missing_packages
case "${1:-run}" in
  run)
    build build
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "Kein Bildschirm gefunden: Pelvanor braucht eine grafische Oberfläche." >&2
      echo "Das Werkzeug ohne Oberfläche: build/bin/pelvanor-tool --help" >&2
      exit 1
    fi
    exec build/bin/pelvanor
    ;;
  test)
    # The core without Qt, checked for memory and undefined behaviour.
    build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DPELVANOR_SANITIZE=ON \
      -DPELVANOR_BENCHMARKS=OFF -DPELVANOR_WITH_QT=OFF "${strict[@]}"
    echo "== Kerntests mit AddressSanitizer und UndefinedBehaviorSanitizer"
    ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
    build build "${strict[@]}"
    echo "== Alle Tests"
    ctest --test-dir build --output-on-failure -j "$(nproc)"
    ;;
  *)
    echo "Aufruf: $0 [run|test]" >&2
    exit 2
    ;;
esac
