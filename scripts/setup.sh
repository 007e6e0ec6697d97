#!/usr/bin/env bash
# Installs the Debian 12 packages Tarvex_1l needs to build, test and run (clang and its
# runtime libraries for the fuzz targets, clang-format for the format check).
# Idempotent: packages already installed are skipped; nothing is downloaded
# except through apt-get.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev
  libjpeg-dev libtomlplusplus-dev libcli11-dev
  xvfb xauth fonts-dejavu-core
  clang-format clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
