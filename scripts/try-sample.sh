#!/usr/bin/env bash
# Builds certpluck and extracts the certificate bundle of the sample package.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCERTPLUCK_TESTS=OFF
cmake --build build/release --target certpluck
build/release/tool/certpluck --in samples/sample.package --out sample.p7b
openssl pkcs7 -inform DER -print_certs -noout -in sample.p7b
