#!/usr/bin/env bash
# The bash completion of certpluck-gbc.
# Usage: compiler_completion_test.sh COMPLETION_FILE
set -uo pipefail
completion_file=$1
source "$(dirname "$0")/completion_support.sh"
complete_words() { complete_with _certpluck_gbc "$@"; }

source "$completion_file"
check "registered" "complete -o filenames -F _certpluck_gbc certpluck-gbc" "$(complete -p certpluck-gbc)"

touch shared.bond service.bond ast.json notes.txt
mkdir schemas

flags="--enable-service-inheritance --help --import-dir --jobs --max-output-mib --numeric-version --output-dir --version"
check "commands first" "c++ schema" "$(complete_words certpluck-gbc '')"
check "a command from a prefix" "schema" "$(complete_words certpluck-gbc s)"
check "flags before the command" "$flags" "$(complete_words certpluck-gbc --)"
check "a flag from a prefix" "--import-dir" "$(complete_words certpluck-gbc schema --im)"
check "the c++ command's flags after it" "--enable-service-inheritance --enum-header --export-attribute" \
  "$(complete_words certpluck-gbc c++ --e)"
check "no c++ flags for schema" "--enable-service-inheritance" "$(complete_words certpluck-gbc schema --e)"
check "protocols after --apply=" "--apply=compact" "$(complete_words certpluck-gbc c++ --apply=co)"
check "protocols after --apply" "fast" "$(complete_words certpluck-gbc c++ --apply f)"
check "nothing for a namespace mapping" "" "$(complete_words certpluck-gbc c++ -n '')"
check "schema files and folders after the command" "ast.json schemas service.bond shared.bond" \
  "$(complete_words certpluck-gbc schema '')"
check "schema files after a flag's argument" "schemas service.bond shared.bond" \
  "$(complete_words certpluck-gbc schema -o schemas s)"
check "folders alone after -i" "schemas" "$(complete_words certpluck-gbc schema -i '')"
check "folders alone after --output-dir=" "schemas" "$(complete_words certpluck-gbc c++ --output-dir = '')"
check "folders after --import-dir= in one word" "--import-dir=schemas" \
  "$(complete_words certpluck-gbc schema --import-dir=sc)"
check "any file after @" "@ast.json @notes.txt @schemas @service.bond @shared.bond" \
  "$(complete_words certpluck-gbc schema @)"
check "nothing for a number" "" "$(complete_words certpluck-gbc schema --max-output-mib '')"

finish
