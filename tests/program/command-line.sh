#!/usr/bin/env bash
# The game program as a player starts it: its options, and a start where no display can be
# opened. Runs in a scratch folder holding only what the program checks for before it opens a
# window (the measuring tape), so no window is ever needed.
#   command-line.sh PROGRAM VERSION
set -u
program="$(realpath "$1")" version="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
failed=0

# run ENV... -- ARGS...: runs the program with exactly those variables changed; sets status,
# out and err.
run() {
    local environment=()
    while [ "$1" != "--" ]; do environment+=("$1"); shift; done
    shift
    env "${environment[@]}" timeout -s KILL 20 "$program" "$@" >stdout.txt 2>stderr.txt
    status=$?
    out="$(cat stdout.txt)" err="$(cat stderr.txt)"
}

# expect WHAT CONDITION: CONDITION is a [[ ]] expression over status, out and err.
expect() {
    local what="$1" condition="$2"
    if ! eval "[[ $condition ]]"; then
        printf 'FAILED: %s\n  exit %s\n  stdout: %s\n  stderr: %s\n' "$what" "$status" "$out" "$err"
        failed=$((failed + 1))
    fi
}

lines() { [ -z "$1" ] && echo 0 || printf '%s\n' "$1" | wc -l; }

# No data and no display: these options need neither.
run -u DISPLAY -- --version
expect "--version prints the name and version" '$status -eq 0 && $out == "Hingewalk $version" && -z $err'
run -u DISPLAY -- -v
expect "-v is --version" '$status -eq 0 && $out == "Hingewalk $version"'
run -u DISPLAY -- --help
expect "--help lists both options" '$status -eq 0 && -z $err && $out == *--help* && $out == *--version*'
run -u DISPLAY -- --bogus
expect "an unknown option: one line naming it, exit 2" \
    '$status -eq 2 && -z $out && $(lines "$err") -eq 1 && $err == *--bogus*'
run -u DISPLAY -- --version extra
expect "an unknown argument after a known option still refuses" '$status -eq 2 && -z $out'

# From here on the program gets as far as opening its window.
mkdir -p important
: >important/LoadBearingMeasuringTape.jpg
run -u DISPLAY --
expect "no DISPLAY: one line and exit 1, not an abort" \
    '$status -eq 1 && $(lines "$err") -eq 1 && $err == *DISPLAY*'
# A display number with no server behind it: the connection is refused.
run DISPLAY=:4093 --
expect "a display that refuses: one line naming it and exit 1" \
    '$status -eq 1 && $(lines "$err") -eq 1 && $err == *:4093*'

[ "$failed" -eq 0 ] && echo "command line: all checks passed"
exit "$((failed > 0))"
