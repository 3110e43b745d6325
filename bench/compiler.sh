#!/usr/bin/env bash
# Times the schema compiler on generated schemas of growing size and prints,
# for each, its median wall time, the time per 1,000 records (flat when the
# compiler is linear) and its peak resident set; see bench/README.md.
#
#   bench/compiler.sh [SUBCOMMAND] [RECORDS...]
#
# SUBCOMMAND is what certpluck-gbc is asked to do (default: schema); RECORDS
# the schema sizes, in records of ten fields each (default: 100 1000 10000).
#
# Then one run on a chain of CHAIN_RECORDS records, each holding the one
# before: an AST that writes a record's whole declaration wherever it is used
# grows with the square of that, so the compiler must refuse it, quickly and
# in little memory, rather than fill the disk or the memory.
#
# For c++, also the secrets package's schema, and how long the C++ compiler
# takes on the generated code of a flat schema of COMPILE_RECORDS records.
#
# Environment:
#   CHAIN_RECORDS=2000    length of the chain (0 leaves the chain out)
#   COMPILE_RECORDS=100   records of the schema whose C++ is compiled (0: none)
#   BENCH_RUNS=5          timed runs per figure (medians are reported)
#   GBC=path              use this compiler and skip the CMake build
#   BUILD_DIR=build-bench CMake build folder, relative to the repository
#   BENCH_TMPDIR=dir      where the schemas and outputs go (default: $TMPDIR or /tmp)
set -euo pipefail
shopt -s inherit_errexit

runs=${BENCH_RUNS:-5}
chain_records=${CHAIN_RECORDS:-2000}
compile_records=${COMPILE_RECORDS:-100}
build_dir=${BUILD_DIR:-build-bench}

die() { echo "compiler.sh: $*" >&2; exit 1; }

[[ $runs =~ ^[1-9][0-9]*$ ]] || die "BENCH_RUNS must be a positive integer"
[[ $chain_records =~ ^[0-9]+$ ]] || die "CHAIN_RECORDS must be a whole number"
[[ $compile_records =~ ^[0-9]+$ ]] || die "COMPILE_RECORDS must be a whole number"
[[ -x /usr/bin/time ]] || die "GNU time (/usr/bin/time) is needed for peak RSS"

subcommand=schema
if [[ $# -gt 0 && ! $1 =~ ^[0-9]+$ ]]; then
  subcommand=$1
  shift
fi
sizes=("$@")
((${#sizes[@]})) || sizes=(100 1000 10000)
for size in "${sizes[@]}"; do
  [[ $size =~ ^[1-9][0-9]*$ ]] || die "a schema size is a positive number of records, not '$size'"
done

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

work=$(mktemp -d "${BENCH_TMPDIR:-${TMPDIR:-/tmp}}/certpluck-gbc-bench.XXXXXX")
trap 'rm -rf -- "$work"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [[ -n ${GBC:-} ]]; then
  [[ -x $GBC ]] || die "GBC=$GBC is not an executable"
  gbc=$(realpath -- "$GBC")
else
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DCERTPLUCK_BENCH=ON -DCERTPLUCK_TESTS=OFF >/dev/null
  cmake --build "$build_dir" --parallel "$(nproc)" --target certpluck-gbc stopwatch >/dev/null
  # shellcheck source=/dev/null
  source "$build_dir/bench/paths.sh"
  [[ -n $gbc ]] || die "the build defines no 'certpluck-gbc' target; pass GBC=path instead"
fi
stopwatch_bin=${stopwatch:-}
if [[ -z $stopwatch_bin ]]; then
  "${CXX:-c++}" -std=c++20 -O2 -o "$work/stopwatch" bench/stopwatch.cpp
  stopwatch_bin=$work/stopwatch
fi

# A flat schema: RECORDS records of ten fields, none holding another, with
# every kind of field a schema commonly has (scalars with defaults, text,
# blobs, nullables and each container).
write_flat_schema() {
  awk -v records="$1" 'BEGIN {
    print "namespace Bench.Flat"
    print ""
    print "enum Colour { Red, Green = 4, Blue }"
    for (i = 0; i < records; i++) {
      print ""
      printf "struct Record%d\n{\n", i
      printf "    0: int32 id = %d;\n", i
      printf "    1: string name = \"record %d\";\n", i
      print  "    2: optional double ratio = 0.5;"
      print  "    3: vector<int64> values;"
      print  "    4: map<string, uint32> counts;"
      print  "    5: nullable<wstring> note;"
      print  "    6: blob payload;"
      print  "    7: Colour colour = Green;"
      print  "    8: list<float> samples;"
      print  "    9: set<uint16> tags;"
      print "}"
    }
  }' >"$2"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The median wall time, in ns, of BENCH_RUNS runs of the compiler on a schema.
time_runs() {
  local schema=$1 out=$2
  : >"$work/times"
  for ((run = 0; run < runs; run++)); do
    rm -rf -- "$out" && mkdir -p -- "$out"
    "$stopwatch_bin" -r "$work/ns" -- "$gbc" "$subcommand" -o "$out" "$schema"
    cat -- "$work/ns" >>"$work/times"
  done
  median <"$work/times"
}

printf 'certpluck-gbc %s: median of %d runs\n\n' "$subcommand" "$runs"
printf '| records | schema (KB) | output (MB) | time (ms) | ms per 1,000 records | peak RSS (MiB) |\n'
printf '|---:|---:|---:|---:|---:|---:|\n'
for size in "${sizes[@]}"; do
  schema=$work/flat$size.bond
  out=$work/out$size
  write_flat_schema "$size" "$schema"
  ns=$(time_runs "$schema" "$out")
  rm -rf -- "$out" && mkdir -p -- "$out"
  /usr/bin/time -f %M -o "$work/rss" "$gbc" "$subcommand" -o "$out" "$schema"
  output_bytes=$(du -sb -- "$out" | cut -f1)
  awk -v records="$size" -v schema_bytes="$(stat -c %s -- "$schema")" -v output_bytes="$output_bytes" \
    -v ns="$ns" -v rss_kib="$(tail -n 1 -- "$work/rss")" 'BEGIN {
      printf "| %d | %.0f | %.1f | %.1f | %.2f | %.1f |\n", records, schema_bytes / 1000, output_bytes / 1e6,
        ns / 1e6, ns / 1e6 / records * 1000, rss_kib / 1024
    }'
done

if [[ $subcommand == c++ ]]; then
  ns=$(time_runs schema/secrets_package.bond "$work/secrets")
  printf '\nsecrets_package.bond: %.1f ms\n' "$(awk -v ns="$ns" 'BEGIN { print ns / 1e6 }')"
  if ((compile_records)); then
    schema=$work/compiled.bond
    out=$work/compiled
    write_flat_schema "$compile_records" "$schema"
    rm -rf -- "$out" && mkdir -p -- "$out"
    "$gbc" c++ -o "$out" "$schema"
    /usr/bin/time -f %e -o "$work/compile" bash -c 'for source in "$1"/*.cpp; do
        "$2" -std=c++20 -O1 -c -I "$1" -I "$3" "$source" -o "$source.o" || exit 1
      done' _ "$out" "${CXX:-c++}" "$repo/runtime/include"
    seconds=$(tail -n 1 -- "$work/compile")
    printf '%s -O1 -c on the generated code of %d records: %.1f s, %.0f ms per record\n' "${CXX:-c++}" \
      "$compile_records" "$seconds" "$(awk -v s="$seconds" -v n="$compile_records" 'BEGIN { print s * 1000 / n }')"
  fi
fi

((chain_records)) || exit 0
schema=$work/chain.bond
out=$work/chain
awk -v records="$chain_records" 'BEGIN {
  print "namespace Bench.Chain"
  print "struct Link0 { 0: int32 value; }"
  for (i = 1; i < records; i++) printf "struct Link%d { 0: Link%d previous; 1: int32 value; }\n", i, i - 1
}' >"$schema"
rm -rf -- "$out" && mkdir -p -- "$out"
status=0
/usr/bin/time -f '%e %M' -o "$work/usage" "$gbc" "$subcommand" -o "$out" "$schema" 2>"$work/err" || status=$?
read -r seconds rss_kib < <(tail -n 1 -- "$work/usage")
printf '\nchain of %d records: status %d in %.2f s, peak RSS %.1f MiB, %d files left in the output folder\n' \
  "$chain_records" "$status" "$seconds" "$(awk -v k="$rss_kib" 'BEGIN { print k / 1024 }')" "$(find "$out" -type f | wc -l)"
printf '  %s\n' "$(tail -n 1 -- "$work/err")"
