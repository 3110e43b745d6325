#!/usr/bin/env bash
# Regenerates the seed corpora under fuzz/corpus/ from the test suite's sample
# records (the instances the reference vectors were made from) and the shipped
# sample package. Run it after a change to the records or the writers, and
# commit the result.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/corpus}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target make_corpus >/dev/null
rm -rf fuzz/corpus
"$build/fuzz/make_corpus" fuzz/corpus
for target in extract round_trip; do
  cp samples/sample.package "fuzz/corpus/$target/sample.cb1"
done
# A certificate that declares far more bytes than follow, which must be refused
# without reserving them.
printf '\x0b\x0e\xff\xff\xff\xff\x0f\x41' >fuzz/corpus/extract/truncated-cert.cb1
find fuzz/corpus -type f | sort | xargs wc -c | tail -n 1
