#!/usr/bin/env bash
# Configures and builds into build/ (programs and language libraries in build/bin).
# scripts/run.sh and scripts/test.sh both build through here with the same settings, so
# the second of them finds the first one's build up to date. Warnings are errors where
# CI is set (.ci/run sets it) or NORDA_WERROR=ON asks for it.
# Extra arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${NORDA_BUILD_DIR:-build}
generator=()
if command -v ninja >/dev/null 2>&1 && [[ ! -f "$build_dir/CMakeCache.txt" ]]; then
    generator=(-G Ninja)
fi
werror=${NORDA_WERROR:-OFF}
if [[ -n "${CI:-}" ]]; then
    werror=ON
fi
cmake -S . -B "$build_dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=${NORDA_BUILD_TYPE:-RelWithDebInfo} \
    -DNORDA_WERROR=$werror "$@"
cmake --build "$build_dir" -j "$(nproc)"
