#!/usr/bin/env bash
# Benchmarks certpluck against cat on the same inputs; see bench/README.md.
#
# Environment:
#   BENCH_RUNS=5          timed runs per figure (medians are reported)
#   CERT_SIZE_MB=1024     certificate field size of the large package, MiB
#   HEAVY_SIZE_MB=100     approximate size of the decode-heavy package, MB
#   CERTPLUCK=path        use this binary and skip the CMake build
#   BUILD_DIR=build-bench CMake build folder, relative to the repository
#   BENCH_TMPDIR=dir      where the inputs go (default: $TMPDIR or /tmp)
#   BENCH_SECTIONS="startup cert heavy memory"  which sections to run, in order
#   STARTUP_COUNT=500     runs averaged into each start-up figure
set -euo pipefail
# Without this a failing run inside $(...) would go unnoticed.
shopt -s inherit_errexit

runs=${BENCH_RUNS:-5}
cert_mib=${CERT_SIZE_MB:-1024}
heavy_mb=${HEAVY_SIZE_MB:-100}
build_dir=${BUILD_DIR:-build-bench}
sections=${BENCH_SECTIONS:-startup cert heavy memory}
startup_count=${STARTUP_COUNT:-500}

die() { echo "run.sh: $*" >&2; exit 1; }

[[ $runs =~ ^[1-9][0-9]*$ ]] || die "BENCH_RUNS must be a positive integer"
[[ $cert_mib =~ ^[1-9][0-9]*$ ]] || die "CERT_SIZE_MB must be a positive integer"
[[ $heavy_mb =~ ^[1-9][0-9]*$ ]] || die "HEAVY_SIZE_MB must be a positive integer"
[[ $startup_count =~ ^[1-9][0-9]*$ ]] || die "STARTUP_COUNT must be a positive integer"
[[ -x /usr/bin/time ]] || die "GNU time (/usr/bin/time) is needed for peak RSS"

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

# The inputs are large; whatever happens, they must not outlive the run.
work=$(mktemp -d "${BENCH_TMPDIR:-${TMPDIR:-/tmp}}/certpluck-bench.XXXXXX")
trap 'rm -rf -- "$work"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# ---------------------------------------------------------------- build

if [[ -n ${CERTPLUCK:-} ]]; then
  [[ -x $CERTPLUCK ]] || die "CERTPLUCK=$CERTPLUCK is not an executable"
  certpluck=$(realpath -- "$CERTPLUCK")
  # The project may not configure at all while the tool is being written, so
  # the two helpers are compiled on their own here.
  for helper in make_package stopwatch; do
    "${CXX:-c++}" -std=c++20 -O2 -o "$work/$helper" "bench/$helper.cpp"
  done
  make_package=$work/make_package
  stopwatch=$work/stopwatch
else
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DCERTPLUCK_BENCH=ON -DCERTPLUCK_TESTS=OFF >/dev/null
  cmake --build "$build_dir" --parallel "$(nproc)" >/dev/null
  [[ -f $build_dir/bench/paths.sh ]] || die "$build_dir/bench/paths.sh missing: is CERTPLUCK_BENCH wired into CMakeLists.txt?"
  # shellcheck source=/dev/null
  source "$build_dir/bench/paths.sh"
  [[ -n $certpluck ]] || die "the build defines no 'certpluck' target; pass CERTPLUCK=path instead"
fi

# ---------------------------------------------------------------- helpers

# Runs one command under the stopwatch and prints its wall time in ns.
# Arguments are the stopwatch's: [-i IN] [-o OUT] -- COMMAND...
timed() {
  rm -f -- "$work/ns"
  "$stopwatch" -r "$work/ns" "$@"
  cat -- "$work/ns"
}

# Runs one command under GNU time, leaving its peak resident set in KiB (%M)
# for rss_kib; the command's own stdin and stdout pass through untouched.
peak_rss() {
  rm -f -- "$work/rss"
  /usr/bin/time -f %M -o "$work/rss" "$@"
}
rss_kib() { tail -n 1 -- "$work/rss"; }

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

check_output() { # NAME EXPECTED ACTUAL
  cmp -s -- "$2" "$3" || die "$1: certpluck output differs from the expected certificate bytes ($(cmp -- "$2" "$3" 2>&1 | head -n 1))"
}

# Every timed run starts from the same state: no previous output file to
# truncate, no dirty pages from the previous run still waiting for writeback.
settle() {
  rm -f -- "$@"
  sync
}

# Untimed read so the input is in the page cache for both sides alike.
warm() { cat -- "$1" >/dev/null; }

ms() { awk -v ns="$1" 'BEGIN { printf "%.1f", ns / 1e6 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# The sides of each comparison, as functions of (input, output) that print
# nanoseconds. Side "cat" and side "tool" of one case do the same plumbing.
file_cat() { timed -o "$2" -- cat -- "$1"; }
file_tool() { timed -- "$certpluck" --in "$1" --out "$2"; }
stdio_cat() { timed -i "$1" -o "$2" -- cat; }
stdio_tool() { timed -i "$1" -o "$2" -- "$certpluck"; }
# shellcheck disable=SC2016 # the inner bash expands these, not this one
pipe_line='set -o pipefail; cat -- "$1" | "$2" | cat > "$3"'
pipe_cat() { timed -- bash -c "$pipe_line" pipe "$1" cat "$2"; }
pipe_tool() { timed -- bash -c "$pipe_line" pipe "$1" "$certpluck" "$2"; }
startup_cat() { timed -n "$startup_count" -o "$2" -- cat -- "$1"; }
startup_tool() { timed -n "$startup_count" -- "$certpluck" --in "$1" --out "$2"; }

# Runs both sides of CASE $runs times, alternating which goes first so that
# neither always inherits the other's leftovers, checks certpluck's first
# output, and leaves the medians in $cat_ns and $tool_ns.
compare() { # CASE INPUT EXPECTED
  local case=$1 in=$2 expected=$3 out=$work/out i side
  local -a order cat_times=() tool_times=()
  warm "$in"
  for ((i = 0; i < runs; i++)); do
    if ((i % 2)); then order=(tool cat); else order=(cat tool); fi
    for side in "${order[@]}"; do
      settle "$out"
      if [[ $side == cat ]]; then
        cat_times+=("$("${case}_cat" "$in" "$out")")
      else
        tool_times+=("$("${case}_tool" "$in" "$out")")
        if ((i == 0)); then check_output "$case" "$expected" "$out"; fi
      fi
    done
  done
  rm -f -- "$out"
  cat_ns=$(printf '%s\n' "${cat_times[@]}" | median)
  tool_ns=$(printf '%s\n' "${tool_times[@]}" | median)
}

row() { printf '  %-34s %12s %16s %9s   %s\n' "$@"; }

# ---------------------------------------------------------------- sections
# Each section_NAME generates its own inputs, prints its own table and removes
# its inputs; BENCH_SECTIONS picks which ones run.

# A whole run on the 1.7 KB sample package is almost all start-up: loading the
# program and what it links, then exiting.
section_startup() {
  local expected=$work/sample.expected
  cp -- samples/sample.p7b "$expected"
  echo
  echo "Start-up: samples/sample.package, $(stat -c %s -- samples/sample.package) bytes; mean of $startup_count runs"
  row "wall time, median of $runs" "cat (us)" "certpluck (us)" "ratio" "target"
  compare startup samples/sample.package "$expected"
  row "--in FILE --out FILE" "$(awk -v ns="$cat_ns" 'BEGIN { printf "%.0f", ns / 1e3 }')" \
    "$(awk -v ns="$tool_ns" 'BEGIN { printf "%.0f", ns / 1e3 }')" "$(ratio "$tool_ns" "$cat_ns")" "<= 1.0"
  rm -f -- "$expected"
}

section_cert() {
  local in=$work/cert.pkg expected=$work/cert.expected out=$work/out size
  "$make_package" cert $((cert_mib * 1024 * 1024)) "$in" "$expected" 2>/dev/null
  size=$(stat -c %s -- "$in")
  echo
  echo "Certificate package: $size bytes, certificate field $cert_mib MiB"
  row "wall time, median of $runs" "cat (ms)" "certpluck (ms)" "ratio" "target"
  compare file "$in" "$expected"
  row "--in FILE --out FILE" "$(ms "$cat_ns")" "$(ms "$tool_ns")" "$(ratio "$tool_ns" "$cat_ns")" "<= 1.5, aim 1.2"
  compare stdio "$in" "$expected"
  row "< FILE > FILE" "$(ms "$cat_ns")" "$(ms "$tool_ns")" "$(ratio "$tool_ns" "$cat_ns")" "<= 1.5, aim 1.2"
  compare pipe "$in" "$expected"
  row "cat FILE | X | cat > FILE" "$(ms "$cat_ns")" "$(ms "$tool_ns")" "$(ratio "$tool_ns" "$cat_ns")" "<= 1.5, aim 1.2"

  echo
  row "certpluck peak RSS, one run each" "KiB" "x input" "" "target"
  warm "$in"
  settle "$out"
  peak_rss "$certpluck" --in "$in" --out "$out"
  check_output "peak RSS, --in" "$expected" "$out"
  row "--in FILE --out FILE" "$(rss_kib)" "$(ratio $(($(rss_kib) * 1024)) "$size")" "" "<= 1.1"
  settle "$out"
  cat -- "$in" | peak_rss "$certpluck" >"$out"
  check_output "peak RSS, pipe" "$expected" "$out"
  row "cat FILE | X > FILE" "$(rss_kib)" "$(ratio $(($(rss_kib) * 1024)) "$size")" "" "<= 1.1"
  rm -f -- "$in" "$expected" "$out"
}

section_heavy() {
  local in=$work/heavy.pkg expected=$work/heavy.expected out=$work/out size summary
  summary=$("$make_package" heavy $((heavy_mb * 1000 * 1000)) "$in" "$expected" 2>&1)
  size=$(stat -c %s -- "$in")
  echo
  echo "Decode-heavy package: ${summary#heavy: }"
  row "wall time, median of $runs" "cat (ms)" "certpluck (ms)" "MB/s" ""
  compare file "$in" "$expected"
  row "--in FILE --out FILE" "$(ms "$cat_ns")" "$(ms "$tool_ns")" \
    "$(awk -v b="$size" -v ns="$tool_ns" 'BEGIN { printf "%.0f", b / 1e6 / (ns / 1e9) }')" \
    "decode throughput: input bytes / certpluck median"
  echo
  row "certpluck peak RSS, one run" "KiB" "x input" "" ""
  settle "$out"
  peak_rss "$certpluck" --in "$in" --out "$out"
  check_output "heavy, peak RSS" "$expected" "$out"
  row "--in FILE --out FILE" "$(rss_kib)" "$(ratio $(($(rss_kib) * 1024)) "$size")" "" ""
  rm -f -- "$in" "$expected" "$out"
}

# Hostile inputs that declare far more than they hold, or nest far deeper than
# the decoder allows. Each must be refused (exit 1, one line on standard error)
# within a fixed memory budget, whatever size it claims.
memory_limit_kib=$((64 * 1024))

memory_input() { # NAME: writes the input NAME to standard output
  case $1 in
    list-2^32-1) printf '\x8b\x0a\xff\xff\xff\xff\x0f\x00\x00\x00' ;;
    wstring-2^31) printf '\x72\x80\x80\x80\x80\x08\x41\x00' ;;
    cert-2^32-1) printf '\x0b\x0e\xff\xff\xff\xff\x0f\x41' ;;
    structs-100000) printf '\xca\x07' && head -c 100000 /dev/zero | tr '\0' '\n' ;;
    lists-100000) printf '\xcb\x07' && printf '\x0b\x01%.0s' $(seq 100000) ;;
  esac
}

section_memory() {
  local in=$work/hostile.pkg out=$work/out err=$work/err name status rss broken=0
  echo
  echo "Hostile inputs: peak RSS must stay under $((memory_limit_kib / 1024)) MiB, the tool must fail cleanly"
  row "input" "KiB" "exit" "" "last line on standard error"
  for name in list-2^32-1 wstring-2^31 cert-2^32-1 structs-100000 lists-100000; do
    memory_input "$name" >"$in"
    settle "$out"
    status=0
    peak_rss "$certpluck" --in "$in" --out "$out" 2>"$err" || status=$?
    rss=$(rss_kib)
    row "$name ($(stat -c %s -- "$in") bytes)" "$rss" "$status" "" "$(tail -n 1 -- "$err")"
    if ((status >= 128)) || grep -q 'terminated by signal' -- "$work/rss"; then
      echo "run.sh: $name: certpluck was killed by a signal" >&2
      broken=1
    elif ((status != 1)); then
      echo "run.sh: $name: certpluck exited with $status instead of failing with 1" >&2
      broken=1
    fi
    if ! [[ $rss =~ ^[0-9]+$ ]] || ((rss >= memory_limit_kib)); then
      echo "run.sh: $name: peak RSS $rss KiB is not under $memory_limit_kib KiB" >&2
      broken=1
    fi
  done
  rm -f -- "$in" "$out" "$err"
  ((broken == 0)) || die "memory: a limit was broken"
}

# ---------------------------------------------------------------- main

echo "certpluck benchmark: $certpluck"
echo "inputs in $work ($(df -PT -- "$work" | awk 'NR == 2 { print $2 }')); cat and certpluck runs interleaved;"
echo "before each timed run the output file is removed and dirty pages are synced"
for section in $sections; do
  declare -F "section_$section" >/dev/null || die "unknown section '$section'"
done
for section in $sections; do
  "section_$section"
done
