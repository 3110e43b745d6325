#!/usr/bin/env bash
# CI smoke step: builds the fuzz targets with clang and libFuzzer, fuzzes each
# for a bounded time on a copy of its seed corpus, then feeds the corpora to
# the certpluck binary (see "the tool" below for which files), which must exit
# 0 or 1 (never by a signal) and, when it fails, say so in exactly one line on
# standard error.
#
# Environment:
#   FUZZ_SECONDS=30      fuzzing time per target
#   BUILD_DIR=build/fuzz CMake build folder
#   CERTPLUCK=path       the binary to check; default: the one this build makes
set -euo pipefail
shopt -s inherit_errexit

# Internal mode, run in parallel by xargs below:
#   fuzz-smoke.sh --check-tool CERTPLUCK SCRATCH FILE...
# Runs CERTPLUCK on each FILE and reports every run that breaks the contract.
if [[ ${1:-} == --check-tool ]]; then
  certpluck=$2 scratch=$(mktemp -d "$3/check.XXXXXX")
  shift 3
  bad=0
  for input in "$@"; do
    status=0
    "$certpluck" --in "$input" --out "$scratch/out" 2>"$scratch/err" >/dev/null || status=$?
    problem=
    # Read without a command substitution's trimming, and with no extra
    # process per file: thousands of files go through here.
    IFS= read -r -d '' said <"$scratch/err" || true
    newlines=${said//[!$'\n']/}
    if ((status >= 128)); then
      problem="was killed by signal $((status - 128))"
    elif ((status != 0 && status != 1)); then
      problem="exited with status $status"
    elif ((status == 1)) && ! [[ ${#newlines} -eq 1 && $said == *$'\n' ]]; then
      problem="failed without exactly one line on standard error"
    fi
    if [[ -n $problem ]]; then
      echo "fuzz-smoke: certpluck $problem on $input ($(od -An -tx1 -v -N 64 -- "$input" | tr -d ' \n')...):" >&2
      head -c 2000 -- "$scratch/err" >&2
      bad=1
    fi
    rm -f -- "$scratch/out"
  done
  rm -rf -- "$scratch"
  exit "$bad"
fi

self=$(realpath -- "${BASH_SOURCE[0]}")
# CERTPLUCK may be relative to where the script was started.
if [[ -n ${CERTPLUCK:-} ]]; then
  CERTPLUCK=$(realpath -m -- "$CERTPLUCK")
fi
cd "$(dirname "$self")/.."

seconds=${FUZZ_SECONDS:-30}
build=${BUILD_DIR:-build/fuzz}
targets=(extract deserialize unmarshal runtime_schema round_trip schema_compiler)

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCERTPLUCK_FUZZ=ON -DCERTPLUCK_TESTS=OFF -DCERTPLUCK_WERROR=ON >/dev/null
cmake --build "$build"

work=$(mktemp -d "${TMPDIR:-/tmp}/certpluck-fuzz.XXXXXX")
trap 'rm -rf -- "$work"' EXIT

# Any sanitizer report must end the process by a signal, so that it can never
# pass for the tool's ordinary failure status 1.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-abort_on_error=1:print_stacktrace=1}

# ---------------------------------------------------------------- fuzzing
# As many targets at a time as there are cores; each writes its own log.
fuzz_one() {
  local target=$1
  mkdir -p "$work/corpus/$target" "$work/artifacts/$target"
  cp -- fuzz/corpus/"$target"/* "$work/corpus/$target/"
  # A target with a dictionary of its own (the schema compiler's words) uses it.
  local dict=fuzz/$target.dict
  [[ -f $dict ]] || dict=fuzz/certpluck.dict
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=512 -timeout=10 \
    -dict="$dict" -artifact_prefix="$work/artifacts/$target/" -print_final_stats=1 \
    "$work/corpus/$target" >"$work/$target.log" 2>&1
}

failed=()
jobs_max=$(nproc)
declare -A pid_target=()
for target in "${targets[@]}"; do
  while ((${#pid_target[@]} >= jobs_max)); do
    wait -n -p done_pid || failed+=("${pid_target[$done_pid]}")
    unset "pid_target[$done_pid]"
  done
  fuzz_one "$target" &
  pid_target[$!]=$target
done
while ((${#pid_target[@]})); do
  wait -n -p done_pid || failed+=("${pid_target[$done_pid]}")
  unset "pid_target[$done_pid]"
done

for target in "${targets[@]}"; do
  summary=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$work/$target.log" | tail -n 1 || true)
  echo "fuzz_$target: ${summary:-no summary}"
done
for target in "${failed[@]}"; do
  echo "fuzz-smoke: fuzz_$target failed; the end of its log and its artifacts:" >&2
  tail -n 40 -- "$work/$target.log" >&2
  for artifact in "$work/artifacts/$target"/*; do
    [[ -f $artifact ]] && echo "  $(basename -- "$artifact"): $(od -An -tx1 -v -- "$artifact" | tr -d ' \n')" >&2
  done
done
((${#failed[@]} == 0)) || exit 1

# The tool reads a bare Compact Binary v1 package, which is what the extract
# and round_trip targets are fed; the other targets' inputs start with a
# selector byte or a marshaling header, so only their seeds are replayed, and
# the time the replay takes stays within the step's budget. The two grown
# corpora are first shrunk to the inputs that keep their coverage.
replay=$work/replay
for target in "${targets[@]}"; do
  mkdir -p "$replay/$target"
  case $target in
    extract | round_trip)
      "$build/fuzz/fuzz_$target" -merge=1 -rss_limit_mb=512 -timeout=10 \
        "$replay/$target" "$work/corpus/$target" >"$work/$target.merge.log" 2>&1 ||
        { tail -n 20 -- "$work/$target.merge.log" >&2; exit 1; }
      ;;
    # Schema text is no input of the certpluck tool.
    schema_compiler) ;;
    *) cp -- fuzz/corpus/"$target"/* "$replay/$target/" ;;
  esac
done

# ---------------------------------------------------------------- the tool
certpluck=${CERTPLUCK:-$build/tool/certpluck}
if [[ ! -x $certpluck ]]; then
  echo "fuzz-smoke: SKIPPED the certpluck replay: no binary at $certpluck (build the 'certpluck' target or set CERTPLUCK)"
  exit 0
fi

count=$(find "$replay" -type f | wc -l)
# One time limit for the whole replay rather than one process more per file:
# the replay's cost is mostly starting processes. The leak check at exit would
# more than double that cost; leaks are the fuzz targets' business, which keep it.
status=0
find "$replay" -type f -print0 |
  ASAN_OPTIONS=$ASAN_OPTIONS:detect_leaks=0 timeout 240 \
    xargs -0 -r -n 64 -P "$(nproc)" bash "$self" --check-tool "$certpluck" "$work" || status=$?
if ((status == 124)); then
  echo "fuzz-smoke: the certpluck replay of $count files did not finish within 240 seconds: a hang?" >&2
  exit 1
elif ((status != 0)); then
  echo "fuzz-smoke: certpluck broke its exit contract on some of the $count corpus files (see above)" >&2
  exit 1
fi
echo "certpluck: $count corpus files, each refused with one line or extracted"
