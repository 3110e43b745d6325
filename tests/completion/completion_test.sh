#!/usr/bin/env bash
# The bash completion of certpluck.
# Usage: completion_test.sh COMPLETION_FILE
set -uo pipefail
completion_file=$1
source "$(dirname "$0")/completion_support.sh"
complete_words() { complete_with _certpluck "$@"; }

source "$completion_file"
check "registered" "complete -o filenames -F _certpluck certpluck" "$(complete -p certpluck)"

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

finish
