#!/usr/bin/env bash
# Quick start: install what is missing, build, and start OMBRA.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/install-deps.sh"
"$here/build.sh"
exec "$here/../build/bin/ombra" "$@"
