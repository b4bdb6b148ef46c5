#!/usr/bin/env bash
# Configures and builds into build/ (programs and language libraries in build/bin).
# Extra arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${NORDA_BUILD_DIR:-build}
generator=()
if command -v ninja >/dev/null 2>&1 && [[ ! -f "$build_dir/CMakeCache.txt" ]]; then
    generator=(-G Ninja)
fi
werror=OFF
if [[ -n "${CI:-}" ]]; then
    werror=ON
fi
cmake -S . -B "$build_dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=${NORDA_BUILD_TYPE:-RelWithDebInfo} \
    -DNORDA_WERROR=$werror "$@"
cmake --build "$build_dir" -j "$(nproc)"
