# What the completion tests share: a bash completion function driven as bash
# drives it, the words of the command line so far in COMP_WORDS and the one
# being completed at COMP_CWORD, in a scratch folder of sample files.

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

# complete_with FUNCTION WORD...: what FUNCTION offers for the last word, sorted, on one line.
complete_with() {
  local function=$1
  shift
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  "$function"
  printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' '
}

# Ends the test with the plain closing line and its verdict.
finish() {
  echo "$passed passed, $failed failed"
  ((failed == 0))
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
