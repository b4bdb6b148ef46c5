#!/usr/bin/env bash
# The README's two commands against stand-ins for cmake, ctest and the package tools:
# scripts/run.sh and scripts/test.sh must configure the build tree alike, so that the
# second finds the first one's build up to date; .ci/run keeps warnings as errors; and
# without a display run.sh builds before it says where ombra-cli is.
# Usage: SameBuildTest.sh SOURCE_DIR
set -euo pipefail
src=$1
work="$(mktemp -d "${TMPDIR:-/tmp}/same_build.XXXXXX")"
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

repo="$work/repo"
mkdir -p "$repo/scripts" "$repo/.ci" "$work/tools"
cp "$src"/scripts/{build,run,test}.sh "$repo/scripts/"
cp "$src/.ci/run" "$repo/.ci/run"
for stub in install-deps.sh check-install.sh; do
    printf '#!/bin/sh\nexit 0\n' >"$repo/scripts/$stub"
done
chmod +x "$repo"/scripts/*.sh "$repo/.ci/run"

# cmake records its arguments; a configure leaves a cache as the real one does, a build
# leaves the programs.
cat >"$work/tools/cmake" <<'TOOL'
#!/usr/bin/env bash
echo "$*" >>"$CALLS"
args=("$@")
for ((i = 0; i < ${#args[@]}; ++i)); do
    case ${args[i]} in
        -B) mkdir -p "${args[i + 1]}" && touch "${args[i + 1]}/CMakeCache.txt" ;;
        --build) mkdir -p "${args[i + 1]}/bin" && touch "${args[i + 1]}/bin/ombra-cli" ;;
    esac
done
TOOL
printf '#!/bin/sh\nexit 0\n' >"$work/tools/ctest"
printf '#!/bin/sh\nprintf "C.utf8\\ntr_TR.utf8\\nde_DE.utf8\\n"\n' >"$work/tools/locale"
chmod +x "$work"/tools/*
export PATH="$work/tools:$PATH" CALLS="$work/calls"

configure_of() {  # the definitions of the last configure in the calls file
    grep -- ' -B ' "$CALLS" | tail -1 | grep -o -- '-D[^ ]*' || true
}

# run.sh without a display: it builds, then says so, naming the ombra-cli it has built.
: >"$CALLS"
status=0
(cd "$repo" && env -u DISPLAY -u WAYLAND_DISPLAY -u CI -u NORDA_WERROR -u NORDA_BUILD_DIR \
    QT_QPA_PLATFORM= scripts/run.sh) >"$work/run.out" 2>"$work/run.err" || status=$?
[[ $status -eq 1 ]] || fail "run.sh without a display ended with $status"
grep -q -- '--build' "$CALLS" || fail "run.sh without a display did not build"
grep -qF "$repo/build/bin/ombra-cli" "$work/run.err" ||
    fail "run.sh does not name the ombra-cli it built: $(cat "$work/run.err")"
[[ -x $repo/build/bin/ombra-cli || -f $repo/build/bin/ombra-cli ]] || fail "no ombra-cli"
run_config=$(configure_of)

# test.sh on the same tree: the same definitions, so nothing is built again.
: >"$CALLS"
(cd "$repo" && env -u CI -u NORDA_WERROR -u NORDA_BUILD_DIR NORDA_SANITIZERS=off \
    scripts/test.sh) >"$work/test.out" 2>&1 || fail "test.sh: $(cat "$work/test.out")"
test_config=$(configure_of)
[[ -n $run_config && $run_config == "$test_config" ]] ||
    fail "run.sh configures [$run_config], test.sh [$test_config]"

# CI runs .ci/run on a fresh clone: warnings are errors there.
rm -rf "$repo/build"
: >"$CALLS"
(cd "$repo" && env -u CI -u NORDA_WERROR -u NORDA_BUILD_DIR NORDA_SANITIZERS=off \
    .ci/run) >"$work/ci.out" 2>&1 || fail ".ci/run: $(cat "$work/ci.out")"
configure_of | grep -qx -- '-DNORDA_WERROR=ON' || fail ".ci/run configures [$(configure_of)]"
echo "ok"
