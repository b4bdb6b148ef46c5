#!/usr/bin/env bash
# Checks what a user gets from the built tree: installs it into a temporary DESTDIR and
# runs the installed ombra-cli and solvi -auto against the installed radiosim, validates
# the desktop entries and MIME types, builds the Debian package, checks its file list and
# runs ombra-cli from the unpacked package. Called by scripts/test.sh after the suite.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/${NORDA_BUILD_DIR:-build}"
work="$(mktemp -d "${TMPDIR:-/tmp}/norda-install.XXXXXX")"
sim=""
cleanup() {
    if [[ -n $sim ]]; then
        kill "$sim" 2>/dev/null || true
        wait "$sim" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "check-install: $*" >&2
    exit 1
}

stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$work/install.log"
usr="$stage/usr"
for f in bin/ombra bin/solvi bin/ombra-cli bin/radiosim \
    lib/norda/ombra lib/norda/solvi lib/norda/ombra-cli lib/norda/radiosim \
    lib/norda/OMBRA0009.DLL lib/norda/SOLVI009.DLL lib/norda/ding.wav lib/norda/ombra.INI \
    share/applications/norda-ombra.desktop share/applications/norda-solvi.desktop \
    share/icons/hicolor/scalable/apps/norda-ombra.svg \
    share/icons/hicolor/scalable/apps/norda-solvi.svg \
    share/mime/packages/norda.xml share/man/man1/ombra.1 share/man/man1/ombra-cli.1 \
    share/man/man1/solvi.1; do
    [[ -e $usr/$f ]] || fail "not installed: $f"
done
if find "$stage" -name '*_tests' -o -name 'fuzz_*' -o -name '*bench*' -o -name '*_flash' |
    grep -q .; then
    fail "tests or benchmarks were installed"
fi
desktop-file-validate "$usr"/share/applications/*.desktop
# The MIME package compiles and gives .omb files their type.
cp -r "$usr/share/mime" "$work/mime"
XDG_DATA_HOME="$work" XDG_DATA_DIRS="$work" update-mime-database "$work/mime" 2>&1 |
    { ! grep .; } || fail "MIME package has errors"
grep -qx '50:application/x-norda-codeplug:\*\.omb' "$work/mime/globs2" ||
    fail ".omb has no MIME type"

# The installed programs against the installed simulated radio, started through bin/.
ports="$work/ports"
mkdir -p "$ports"
"$usr/bin/radiosim" --ports-dir "$ports" --com 1 --baud 115200 >"$work/sim.out" 2>&1 &
sim=$!
for _ in $(seq 100); do
    grep -q "com1 ->" "$work/sim.out" 2>/dev/null && break
    sleep 0.1
done
grep -q "com1 ->" "$work/sim.out" || fail "radiosim did not start: $(cat "$work/sim.out")"
export NORDA_PORTS="$ports" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# Country code 9: the English texts come from the library in the program folder.
printf '[International]\r\nCountry Code=9\r\n' >"$work/en.INI"
"$usr/bin/ombra-cli" read --port 1 --baud 115200 --ini "$work/en.INI" "$work/radio.omb" \
    2>"$work/cli.err" || fail "installed ombra-cli read: $(cat "$work/cli.err")"
[[ $(cat "$work/cli.err") == "INFORMATION: File saved." ]] ||
    fail "ombra-cli did not speak English: $(cat "$work/cli.err")"
grep -q '^\[Kanal\]' "$work/radio.omb" || fail "no codeplug read"
[[ $("$usr/bin/ombra-cli" --help | tail -1) == "settings: $usr/lib/norda/ombra.INI" ]] ||
    fail "ombra-cli does not find its INI beside the program"
# A software file the radio does not have yet: solvi -auto programs it and ends with 0.
srec_cat -generate 0x2000 0x2100 -repeat-string "NORDA " \
    -generate 0x10000 0x1000D -repeat-data 0x5A 2 7 0 0 1 12 0xE8 7 0x58 0x59 0 0 \
    -generate 0x1000D 0x10040 -constant 0 -execution-start-address=0 \
    -o "$work/new.hex" -Motorola -address-length=3 -disable=data-count -crlf
code=0
"$usr/bin/solvi" -auto 1 115200 "$work/new.hex" >"$work/solvi.out" 2>&1 || code=$?
((code == 0)) || fail "installed solvi -auto ended with $code: $(cat "$work/solvi.out")"
kill "$sim"
wait "$sim" 2>/dev/null || true
sim=""

# The package: file list, and the programs run from the unpacked tree.
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls -t "$build"/norda_*_amd64.deb | head -1)
dpkg-deb -c "$deb" | awk '{print $6}' | sort >"$work/deb.list"
for f in ./usr/bin/ombra ./usr/bin/solvi ./usr/bin/ombra-cli ./usr/lib/norda/ombra \
    ./usr/lib/norda/OMBRA0009.DLL ./usr/lib/norda/SOLVI009.DLL ./usr/lib/norda/ombra.INI \
    ./usr/share/applications/norda-ombra.desktop ./usr/share/mime/packages/norda.xml; do
    grep -qx -- "$f" "$work/deb.list" || fail "$f missing from $(basename "$deb")"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "no dependencies from shlibdeps"
dpkg-deb -f "$deb" Depends | grep -q qt6-translations-l10n ||
    fail "the package does not depend on Qt's translations"
dpkg-deb -x "$deb" "$work/unpacked"
"$work/unpacked/usr/bin/ombra-cli" --help >"$work/help.out" ||
    fail "ombra-cli --help from the package failed"
grep -q '^usage: ombra-cli' "$work/help.out" || fail "ombra-cli --help printed no usage"
# The window program answers --help on a console, without a display.
env -u DISPLAY -u QT_QPA_PLATFORM "$work/unpacked/usr/bin/ombra" --help >"$work/help.out" ||
    fail "ombra --help from the package failed"
grep -q '^usage: ombra' "$work/help.out" || fail "ombra --help printed no usage"
echo "check-install: $(basename "$deb") and the installed programs are fine"
