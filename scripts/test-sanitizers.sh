#!/usr/bin/env bash
# Builds everything with clang under AddressSanitizer and UndefinedBehaviorSanitizer,
# warnings as errors, and runs the test suite, fuzz corpus replays included.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/sanitize}
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCERTPLUCK_SANITIZE=ON -DCERTPLUCK_WERROR=ON
cmake --build "$build"
# A report must fail the test that caused it, leaks included.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The install test links the installed libraries into programs built without
# sanitizers, which cannot resolve the instrumented code's runtime calls; the
# plain run (scripts/test.sh) checks the installation.
ctest --test-dir "$build" --output-on-failure --exclude-regex '^Install\.'
