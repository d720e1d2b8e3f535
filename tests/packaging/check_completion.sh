#!/usr/bin/env bash
# The bash completion of vorax offers the program's subcommands and each subcommand's options.
# Run as: check_completion.sh COMPLETION_FILE VORAX
set -euo pipefail
source "$1"
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _vorax
  echo "${COMPREPLY[*]}"
}
expect() {
  local got=$1 want=$2
  [[ " $got " == *" $want "* ]] || { echo "expected '$want' among: $got" >&2; exit 1; }
}
expect "$(complete_words "$2" in)" info
expect "$(complete_words "$2" fix)" fix-radio
expect "$(complete_words "$2" info --)" --json
expect "$(complete_words "$2" render --si)" --size
expect "$(complete_words "$2" --ver)" --version
