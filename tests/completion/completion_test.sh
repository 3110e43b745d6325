#!/usr/bin/env bash
# The bash completion of certpluck, driven as bash drives it: the words of the
# command line so far in COMP_WORDS, the one being completed at COMP_CWORD.
# Usage: completion_test.sh COMPLETION_FILE
set -uo pipefail
completion_file=$1
failed=0
passed=0

# check NAME EXPECTED ACTUAL
check() {
  if [[ $2 == "$3" ]]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
  fi
}

# complete_words WORD...: what completing the last word offers, sorted, on one line.
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _certpluck
  printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' '
}

source "$completion_file"
check "registered" "complete -o filenames -F _certpluck certpluck" "$(complete -p certpluck)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
touch sample.package sample.p7b other
mkdir sub

check "options after --" "--help --in --out" "$(complete_words certpluck --)"
check "options from nothing" "--help --in --out" "$(complete_words certpluck '')"
check "option from a prefix" "--out" "$(complete_words certpluck --o)"
check "options after a file argument" "--help --in --out" "$(complete_words certpluck --in sample.package --)"
check "no operands" "" "$(complete_words certpluck sample)"
check "file after --in" "sample.p7b sample.package" "$(complete_words certpluck --in sample)"
check "file after --out" "sample.p7b sample.package" "$(complete_words certpluck --out sample)"
check "file after an abbreviation" "sample.p7b sample.package" "$(complete_words certpluck --ou sample)"
check "directories too" "sub" "$(complete_words certpluck --in su)"
check "file after --in= split at '='" "sample.p7b sample.package" "$(complete_words certpluck --in = sample)"
check "file right after '='" "other sample.p7b sample.package sub" "$(complete_words certpluck --out =)"
check "file after --in= in one word" "--in=sample.p7b --in=sample.package" "$(complete_words certpluck --in=sample)"

echo "$passed passed, $failed failed"
((failed == 0))
