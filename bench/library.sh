#!/usr/bin/env bash
# Times the library's operations (bench/library/): builds certpluck from a
# source tree in Release, installs it into a scratch prefix, builds the
# benchmark against that installation alone, as a user's program is built,
# and runs it.
#
#   bench/library.sh [--source TREE] [BENCHMARK ARGUMENTS...]
#
# TREE defaults to the repository this script lives in; the benchmark's own
# sources always come from this script's folder, so one benchmark can measure
# several checkouts (see bench/README.md). Builds go under LIBBENCH_DIR
# (default ${TMPDIR:-/tmp}/libbench-build), one folder per source tree.
set -euo pipefail

bench_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_tree=$(cd "$bench_dir/.." && pwd)

case ${1-} in
  --source)
    [[ $# -ge 2 ]] || { echo "library.sh: --source needs a folder" >&2; exit 2; }
    source_tree=$2
    shift 2
    ;;
  --source=*)
    source_tree=${1#--source=}
    shift
    ;;
esac
[[ -f $source_tree/CMakeLists.txt ]] || { echo "library.sh: no CMakeLists.txt in $source_tree" >&2; exit 2; }
source_tree=$(cd "$source_tree" && pwd)

# One folder per source tree and benchmark folder, so measuring two checkouts
# one after the other rebuilds neither from scratch and never mixes their
# caches, whichever checkout's script measures them.
work_root=${LIBBENCH_DIR:-${TMPDIR:-/tmp}/libbench-build}
work=$work_root/$(printf '%s\n%s' "$source_tree" "$bench_dir" | cksum | cut -d' ' -f1)
project_build=$work/project
prefix=$work/prefix
bench_build=$work/bench

generator=()
if command -v ninja >/dev/null; then
  generator=(-G Ninja)
fi
# Ninja alone would take every core; the machine is usually shared.
jobs=${LIBBENCH_JOBS:-2}

# Build chatter goes to a log, which is shown only when a step fails, so that
# standard output carries nothing but the benchmark's table.
mkdir -p "$work"
log=$work/build.log
: >"$log"
Quietly() {
  if ! "$@" >>"$log" 2>&1; then
    cat "$log" >&2
    echo "library.sh: failed: $*" >&2
    exit 1
  fi
}

echo "library.sh: building $source_tree in $work" >&2
Quietly nice cmake -S "$source_tree" -B "$project_build" "${generator[@]}" \
  -DCMAKE_BUILD_TYPE=Release -DCERTPLUCK_TESTS=OFF
Quietly nice cmake --build "$project_build" -j "$jobs"

# A fresh prefix each time: files left over from an earlier installation must
# not stand in for ones this tree no longer installs.
rm -rf "$prefix"
Quietly cmake --install "$project_build" --prefix "$prefix"

log=$work/bench-build.log
: >"$log"
Quietly nice cmake -S "$bench_dir/library" -B "$bench_build" "${generator[@]}" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix"
# find_package searches the system as well; a certpluck installed there must
# not be what gets measured.
found=$(sed -n 's/^certpluck_DIR:PATH=//p' "$bench_build/CMakeCache.txt")
if [[ $found != "$prefix"/* ]]; then
  echo "library.sh: the benchmark found certpluck in '$found', not under $prefix" >&2
  exit 1
fi
Quietly nice cmake --build "$bench_build" -j "$jobs"
# Compiler warnings in the benchmark are worth seeing even when it builds.
if grep -q 'warning:' "$log"; then
  grep -A3 'warning:' "$log" >&2
fi

"$bench_build/certpluck_library_bench" "$@"
