#!/usr/bin/env bash
# The manual page of certpluck-gbc held to the program: the long flags and the
# commands that its OPTIONS and COMMANDS sections describe must be exactly the
# ones that certpluck-gbc --help lists.
# Usage: compiler_man_page_test.sh MAN_PAGE CERTPLUCK_GBC
set -euo pipefail
man_page=$1
gbc=$2

# The roff source between one section heading and the next, escapes undone.
section() {
  sed -n "/^\.SH $1\$/,/^\.SH /p" "$man_page" | sed '$d' | sed 's/\\-/-/g; s/\\&//g'
}
long_flags() { grep -oE -- '--[a-z][a-z-]*' | sort -u; }

help=$("$gbc" --help)
page_flags=$(section OPTIONS | long_flags)
help_flags=$(long_flags <<<"$help")
diff -u <(echo "$help_flags") <(echo "$page_flags") || {
  echo "OPTIONS of $man_page and certpluck-gbc --help name different flags (- only in --help, + only in the page)" >&2
  exit 1
}
page_commands=$(section COMMANDS | sed -n '/^\.TP$/{n;s/^\.B //p}' | sort)
help_commands=$(sed -n 's/^certpluck-gbc \([^ []*\) \[OPTIONS\].*/\1/p' <<<"$help" | sort)
diff -u <(echo "$help_commands") <(echo "$page_commands") || {
  echo "COMMANDS of $man_page and certpluck-gbc --help name different commands" >&2
  exit 1
}
echo "certpluck-gbc(1) describes the $(wc -l <<<"$page_flags") flags and $(wc -l <<<"$page_commands") commands of --help"
