#!/usr/bin/env bash
# Every include inside the runtime's headers runs down its layers, as
# runtime/README.md lists them: a folder includes only itself and the folders
# below it. Checks the tree given, after making sure the check catches an
# include that runs back up.
#
#   include_layers_test.sh RUNTIME_INCLUDE_DIR
set -euo pipefail

# The layer of a header, by its path below bond/: a folder and its detail/ are
# one layer, but core/detail/ is a layer below core/.
LayerOf() {
  case $1 in
    core/detail/*) echo core/detail ;;
    */*) echo "${1%%/*}" ;;
    *) echo top ;;
  esac
}

# The layers each layer may include, itself among them.
declare -A may_include=(
  [base]="base"
  [stream]="base stream"
  [protocol]="base stream protocol"
  [schema]="base schema"
  [core/detail]="base stream protocol schema core/detail"
  [core]="base stream protocol schema core/detail core"
  [ext]="ext"
)

# Prints every include of a header under $1/bond that runs back up, as
# "file: includes target"; fails when there is one.
CheckTree() {
  local root=$1/bond found=0 file from target to
  while IFS= read -r file; do
    from=$(LayerOf "${file#"$root"/}")
    if [[ -z ${may_include[$from]+set} ]]; then
      echo "${file#"$root"/}: in no layer"
      found=1
      continue
    fi
    while IFS= read -r target; do
      to=$(LayerOf "$target")
      if [[ " ${may_include[$from]} " != *" $to "* ]]; then
        echo "${file#"$root"/}: includes bond/$target"
        found=1
      fi
    done < <(sed -n 's|^#include <bond/\([^>]*\)>.*|\1|p' "$file")
  done < <(find "$root" -name '*.h' | sort)
  return $found
}

[[ $# -eq 1 && -d $1/bond ]] || { echo "usage: include_layers_test.sh RUNTIME_INCLUDE_DIR" >&2; exit 2; }

# A tree with one include that runs up must fail, naming it.
fixture=$(mktemp -d)
trap 'rm -rf "$fixture"' EXIT
mkdir -p "$fixture/bond/stream" "$fixture/bond/core/detail"
printf '#include <bond/base/blob.h>\n#include <bond/core/detail/skip.h>\n' >"$fixture/bond/stream/input_buffer.h"
printf '#include <bond/protocol/encoding.h>\n' >"$fixture/bond/core/detail/skip.h"
if report=$(CheckTree "$fixture"); then
  echo "the check passed a tree whose stream/ includes core/detail/" >&2
  exit 1
fi
if [[ $report != "stream/input_buffer.h: includes bond/core/detail/skip.h" ]]; then
  echo "the check reported, for one include running up:" >&2
  echo "$report" >&2
  exit 1
fi

if ! report=$(CheckTree "$1"); then
  echo "includes that run back up a layer (see runtime/README.md):" >&2
  echo "$report" >&2
  exit 1
fi
