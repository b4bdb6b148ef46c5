#!/usr/bin/env bash
# Installs what is missing, builds as scripts/run.sh does (scripts/build.sh; warnings are
# errors under CI) and runs the whole test suite,
# then runs it again in sanitizer builds: everything under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/, the threaded SOLVI tests under
# ThreadSanitizer in build-tsan/. Any sanitizer report fails the run.
# NORDA_SANITIZERS=off skips the sanitizer builds (quick local runs), =only runs just them.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$here/.."
"$here/install-deps.sh"
# The desktop test runs OMBRA under the Turkish locale, and the windows and the codeplug
# are tested again under locales that write numbers with a decimal comma.
comma_locales=(tr_TR.UTF-8 de_DE.UTF-8)
for loc in "${comma_locales[@]}"; do
    if ! locale -a 2>/dev/null | grep -qix "${loc%.UTF-8}.utf8"; then
        echo "Generating the locale $loc"
        sudo_cmd=()
        [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
        "${sudo_cmd[@]}" localedef -i "${loc%.UTF-8}" -f UTF-8 "$loc"
    fi
done
export QT_QPA_PLATFORM=offscreen
if [[ ${NORDA_SANITIZERS:-on} != only ]]; then
    "$here/build.sh"
    ctest --test-dir "$root/${NORDA_BUILD_DIR:-build}" --output-on-failure -j "$(nproc)" --timeout 300
    for loc in "${comma_locales[@]}"; do
        echo "Windows and codeplug under $loc"
        LANG=$loc LC_ALL=$loc ctest --test-dir "$root/${NORDA_BUILD_DIR:-build}" -L locale \
            --output-on-failure -j "$(nproc)" --timeout 300
    done
    # Installed and packaged as a user gets it.
    "$here/check-install.sh"
fi

if [[ ${NORDA_SANITIZERS:-on} == off ]]; then
    exit 0
fi

# Executable targets of a configured tree whose names match $2 and not $3, benchmarks
# never (Ninja only).
targets_of() {
    local benches
    benches=$(grep -oP 'bench/CMakeFiles/\K[A-Za-z0-9_.-]+(?=\.dir/)' "$1/build.ninja" |
        sort -u | paste -sd'|' || true)
    grep -oP '^build \K[A-Za-z0-9_.-]+(?=: phony bin/)' "$1/build.ninja" | grep -E "$2" |
        grep -vE "^(${benches:-^})\$" | { if [[ -n $3 ]]; then grep -vE "$3"; else cat; fi; } || true
}

# Configures a sanitizer tree, builds the chosen targets and runs the tests they hold.
# Tests of executables left unbuilt appear as <target>_NOT_BUILT and are not run.
sanitizer_stage() {
    local dir=$1 sanitize=$2 pick=$3 skip=$4
    shift 4
    # Warnings are held to account in the normal build; with sanitizers GCC warns about
    # code it has instrumented, so these trees do not make warnings errors.
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNORDA_WERROR=OFF \
        -DNORDA_SANITIZE="$sanitize" -DCMAKE_CXX_FLAGS="-O1" >/dev/null
    mapfile -t targets < <(targets_of "$dir" "$pick" "$skip")
    if ((${#targets[@]} == 0)); then
        echo "$dir: nothing to build"
        return 0
    fi
    echo "$dir ($sanitize): ${targets[*]}"
    cmake --build "$dir" -j "$(nproc)" --target "${targets[@]}"
    # Tests of programs left out now but built by an earlier run must not run either.
    local t
    for t in $(targets_of "$dir" . ''); do
        if [[ " ${targets[*]} " != *" $t "* ]]; then
            find "$dir" -name "$t\[*\]_tests.cmake" -delete
        fi
    done
    ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 600 -E '_NOT_BUILT$' "$@"
}

# Qt and the system libraries below it keep some allocations for the life of the
# process; those are not ours to report.
mkdir -p "$root/build-asan"
cat >"$root/build-asan/lsan.supp" <<'SUPP'
leak:libQt6
leak:libfontconfig
leak:libglib
leak:libdbus
SUPP
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/build-asan/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
# Everything but OMBRA's Qt window tests (slow to build instrumented, and their logic runs
# in the headless tests); the programs stay, the fault matrix runs them.
# NORDA_ASAN_SKIP (a regex of target names) replaces that list.
sanitizer_stage "$root/build-asan" address,undefined '.' \
    "${NORDA_ASAN_SKIP:-^ombra\$|^ombra_(app|data_page|param_page|file_e2e)}"
# The SOLVI workers run one thread per port: the session, worker-thread and pty tests
# under ThreadSanitizer. Not the Qt programs: Qt is not instrumented, so TSan cannot see
# the locking inside a queued invocation and reports every hand-over to the GUI thread.
sanitizer_stage "$root/build-tsan" thread '^solvi.*_tests$' "${NORDA_TSAN_SKIP:-^solvi_(app|auto)_tests\$}"
