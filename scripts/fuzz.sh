#!/usr/bin/env bash
# Builds one libFuzzer target with clang (AddressSanitizer + UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs it for the given number of seconds.
#   scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
# TARGET: srecord, profile, codeplug, map27_ombra, map27_solvi (or "list").
# The seeds in tests/fuzz/corpus/TARGET stay untouched; what the run learns goes to
# build-fuzz/corpus/TARGET, crash inputs to build-fuzz/artifacts/TARGET/. A crash input
# belongs in tests/fuzz/regressions/TARGET/ so that the test suite replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(srecord profile codeplug map27_ombra map27_solvi)
if [[ $# -lt 1 || $1 == list ]]; then
    echo "usage: $0 TARGET SECONDS [libFuzzer options...]; targets: ${targets[*]}"
    [[ $# -ge 1 ]] && exit 0
    exit 2
fi
target=$1
seconds=${2:-60}
shift $(($# >= 2 ? 2 : 1))
if [[ ! " ${targets[*]} " == *" $target "* ]]; then
    echo "unknown target '$target'; targets: ${targets[*]}" >&2
    exit 2
fi

build=${NORDA_FUZZ_BUILD_DIR:-build-fuzz}
cc=${CC:-clang}
cxx=${CXX:-clang++}
if ! command -v "$cxx" >/dev/null; then
    echo "$cxx not found: install clang and libclang-rt-14-dev" >&2
    exit 2
fi
if [[ ! -f $build/CMakeCache.txt ]]; then
    CC=$cc CXX=$cxx cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DNORDA_FUZZ=ON -DNORDA_SANITIZE=address,undefined \
        -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link -fno-sanitize-recover=all"
fi
cmake --build "$build" -j "${NORDA_FUZZ_JOBS:-2}" --target "fuzz_$target"

work="$build/corpus/$target"
artifacts="$build/artifacts/$target/"
mkdir -p "$work" "$artifacts"
seeds=(tests/fuzz/corpus/"$target")
if [[ -d tests/fuzz/regressions/$target ]]; then
    seeds+=(tests/fuzz/regressions/"$target")
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
exec "$build/bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$artifacts" -max_len=4096 "$@" "$work" "${seeds[@]}"
