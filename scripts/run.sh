#!/usr/bin/env bash
# Quick start: install what is missing, build, and start OMBRA against a simulated
# radio on COM1 (a temporary ports folder), so that reading and writing work at once.
#   scripts/run.sh            OMBRA + simulated radio
#   scripts/run.sh --real     OMBRA on the real ports ($NORDA_PORTS or ~/.config/norda/ports)
# Other arguments go to OMBRA ("-test", "-debug").
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bin="$(cd "$here/.." && pwd)/${NORDA_BUILD_DIR:-build}/bin"

"$here/install-deps.sh"
"$here/build.sh"

# OMBRA is a desktop program; without a display Qt would only abort. A platform chosen
# through QT_QPA_PLATFORM (offscreen, vnc, ...) needs none. The build is done either way,
# so what works without a display is there to use.
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} &&
    ${QT_QPA_PLATFORM:-xcb} =~ ^(xcb|wayland) ]]; then
    echo "run.sh: built into $bin; OMBRA needs a desktop session (no DISPLAY or WAYLAND_DISPLAY is set)." >&2
    echo "run.sh: without one, $bin/ombra-cli reads, copies and decodes radios (ombra-cli --help)." >&2
    exit 1
fi

real=0
args=()
for a in "$@"; do
    if [[ "$a" == "--real" ]]; then real=1; else args+=("$a"); fi
done
if ((real)); then
    exec "$bin/ombra" "${args[@]}"
fi

ports="$(mktemp -d "${TMPDIR:-/tmp}/norda-ports.XXXXXX")"
"$bin/radiosim" --ports-dir "$ports" --com 1 --baud 9600 >"$ports/radiosim.out" 2>&1 &
sim=$!
cleanup() {
    kill "$sim" 2>/dev/null || true
    wait "$sim" 2>/dev/null || true
    rm -rf "$ports"
}
trap cleanup EXIT
for _ in $(seq 100); do
    grep -q "com1 ->" "$ports/radiosim.out" 2>/dev/null && break
    sleep 0.1
done
if ! grep -q "com1 ->" "$ports/radiosim.out"; then
    cat "$ports/radiosim.out" >&2
    echo "run.sh: the simulated radio did not start" >&2
    exit 1
fi
echo "Simulated radio: $(cat "$ports/radiosim.out")"
echo "OMBRA uses port 1 (\"Seçenekler > Seri Çıkış\" if its INI names another)."
NORDA_PORTS="$ports" "$bin/ombra" "${args[@]}"
