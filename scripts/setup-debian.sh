#!/usr/bin/env bash
# Installs what building and testing need on Debian, when it is missing.
set -euo pipefail
packages=(cmake ninja-build g++ clang clang-format-19 libclang-rt-14-dev libgtest-dev libgmock-dev libboost-dev openssl dpkg-dev groff-base pkg-config lintian nlohmann-json3-dev libcli11-dev libfmt-dev libicu-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
