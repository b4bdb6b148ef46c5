#!/usr/bin/env bash
# A program's manual page against its --help, both read as a user reads them: every
# option that --help prints is under OPTIONS of the page as man(1) shows it, every
# command of a usage line is in the SYNOPSIS, and the page has the sections a user
# looks for. --help is parsed, not copied here, so a program that learns an option
# fails this test until its page has it too. --help and --version are asked without a
# display, as on a console.
#
#   man_page_test.sh PROGRAM PAGE
#
# Exits 77 (skipped) when the program is not built or man(1) is missing.
set -uo pipefail

program=$1
page=$2
name=$(basename "$program")

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAILED: $*"
    exit 1
}
[[ -x $program ]] || skip "$program is not built"
command -v man >/dev/null || skip "man is not installed (scripts/install-deps.sh)"

work=$(mktemp -d "${TMPDIR:-/tmp}/man_page_test.XXXXXX")
trap 'rm -rf "$work"' EXIT
console() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$work" \
        XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
        timeout 60 "$program" "$@"
}

help=$(console --help 2>"$work/help.err") ||
    fail "$name --help ended with $?: $(cat "$work/help.err")"
grep -q "^usage: $name" <<<"$help" || fail "$name --help printed no usage: $help"
version=$(console --version 2>"$work/version.err") ||
    fail "$name --version ended with $?: $(cat "$work/version.err")"
[[ $version =~ ^$name\ [0-9] ]] || fail "$name --version printed \"$version\""

rendered=$(MANWIDTH=200 man -l "$page" 2>"$work/man.err") ||
    fail "man -l $page: $(cat "$work/man.err")"
# The lines of one section: from its heading to the next one.
section() {
    awk -v heading="$1" '/^[^ \t]/ { inside = ($0 == heading); next } inside' <<<"$rendered"
}
# Whether `text` holds `word` with neither a letter, a digit nor a dash next to it.
holds() {
    grep -qP -- "(?<![\w-])\Q$2\E(?![\w-])" <<<"$1"
}

problems=()
for heading in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES ENVIRONMENT "SEE ALSO"; do
    grep -qx "$heading" <<<"$rendered" || problems+=("no section $heading")
done
options=$(section OPTIONS)
synopsis=$(section SYNOPSIS)

for option in $(grep -oP '(?<![\w-])--?[A-Za-z][\w-]*' <<<"$help" | sort -u); do
    holds "$options" "$option" || problems+=("option $option is not under OPTIONS")
done

# The usage lines: "usage: NAME ..." and the lines under it that start with NAME; their
# lower-case words are the commands, the first one right after the name. Comments (# ...)
# and remarks in parentheses are no part of them.
while read -r line; do
    words=$(sed -E "s/^(usage:)?[[:space:]]*$name[[:space:]]//; s/#.*//; s/\([^)]*\)//g; s/[][|]/ /g" \
        <<<"$line")
    first=yes
    for word in $words; do
        [[ $word =~ ^[a-z][a-z-]*$ ]] || continue
        if [[ $first == yes ]]; then
            grep -qF -- "$name $word" <<<"$synopsis" ||
                problems+=("command \"$name $word\" is not in the SYNOPSIS")
        else
            holds "$synopsis" "$word" ||
                problems+=("\"$word\" of \"$name ${words%% *}\" is not in the SYNOPSIS")
        fi
        first=no
    done
done < <(grep -P "^(usage:)?\s*\Q$name\E\s" <<<"$help")

if ((${#problems[@]} > 0)); then
    printf 'FAILED: %s\n' "${problems[@]}"
    exit 1
fi
echo "PASSED: $page has every option and command of $name --help"
