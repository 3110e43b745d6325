#!/usr/bin/env bash
# Builds certpluck, installs it into a temporary prefix and builds against that
# installation alone: the examples with find_package(certpluck), whose tests
# make a package from samples/sample.p7b and pass it through the installed
# certpluck back to the same bytes, and a one-file program with pkg-config.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
build=build/install-check
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCERTPLUCK_TESTS=OFF -DCERTPLUCK_WERROR=ON
cmake --build "$build"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
bash tests/install/install_test.sh "$build" "$scratch"
