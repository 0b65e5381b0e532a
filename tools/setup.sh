#!/usr/bin/env bash
# Shared set-up of ./run and ./test: install missing Debian packages, configure and build the
# targets named as arguments (./run: the program and its folder), or everything when none is named.
set -euo pipefail
cd "$(dirname "$0")/.."

# locales: the sources of the pt_PT locale that the build generates for the comma-locale tests.
packages=(cmake ninja-build g++ lld qt6-base-dev qt6-base-dev-tools libgl-dev
          fonts-liberation2 poppler-utils xvfb xauth fp-utils libchm-dev dpkg-dev file locales)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  # sudo resets the environment, so the non-interactive front end is passed on the command line.
  if [ "$(id -u)" -eq 0 ]; then
    as_root=(env DEBIAN_FRONTEND=noninteractive)
  elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
  else
    echo "Missing packages: ${missing[*]}. Run this as root, or as a user who may use sudo." >&2
    exit 1
  fi
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
if (($#)); then
  cmake --build build --target "$@"
else
  cmake --build build
fi
