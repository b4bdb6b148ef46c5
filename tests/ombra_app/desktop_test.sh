#!/usr/bin/env bash
# OMBRA as a technician meets it: the real program on an X server (Xvfb, the xcb
# platform) against simulated radios, driven through its menus by the keyboard. After
# every step the visible top-level windows and their titles must be exactly those the
# user expects: the frame, and a message box or dialog where the step ends with one.
#
#   desktop_test.sh OMBRA RADIOSIM LOCALE
#
# OMBRA and its language library are copied into a folder of their own, so that the
# INI file it writes on exit stays there. Exits 77 (skipped) when the programs, Xvfb,
# xdotool, xwininfo or the locale are missing. NORDA_DESKTOP_SHOTS names a folder for
# screenshots of the steps whose message has more to show than its title (imagemagick).
set -uo pipefail

ombra=$1
radiosim=$2
locale=$3
timeout_s=${NORDA_DESKTOP_TIMEOUT:-60}

skip() {
    echo "SKIPPED: $*"
    exit 77
}
# A tree that leaves the program out (the sanitizer builds) has nothing to run.
[[ -x $ombra && -x $radiosim ]] || skip "$ombra or $radiosim is not built"
for tool in Xvfb xdotool xwininfo; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh)"
done
wanted=$(echo "$locale" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8$/utf8/')
if ! locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | grep -qx "$wanted"; then
    skip "locale $locale is not installed (scripts/test.sh generates it)"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/ombra_desktop.XXXXXX")
pids=()
cleanup() {
    local p
    for p in "${pids[@]}"; do
        kill "$p" 2>/dev/null
    done
    for p in "${pids[@]}"; do
        wait "$p" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*"
    echo "--- display $DISPLAY, X server log"
    cat "$work/xvfb.log"
    if [[ -s $work/ombra.err ]]; then
        echo "--- ombra's standard error"
        cat "$work/ombra.err"
    fi
    exit 1
}

# ---- the X server and the radios -------------------------------------------------

exec 5>"$work/display"
# -noreset: an X server resets when its last client leaves, and a client that connects
# during the reset is refused, so every probe between steps could fail by chance.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 5>&-
for _ in $(seq 200); do
    [[ -s $work/display ]] && break
    sleep 0.05
done
[[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
answered=no
for _ in $(seq 200); do
    if xwininfo -root >/dev/null 2>&1; then
        answered=yes
        break
    fi
    sleep 0.05
done
[[ $answered == yes ]] || fail "the X server $DISPLAY does not answer"

mkdir -p "$work/ports" "$work/home" "$work/program" "$work/files"
chmod 700 "$work/home"
# The radio on com1; its output (and, with a second argument, its wire log) in `out`.
start_radio() {
    local out=$1
    shift
    "$radiosim" --ports-dir "$work/ports" --com 1 --baud 115200 "$@" >"$out" 2>&1 &
    radio_pid=$!
    pids+=("$radio_pid")
    for _ in $(seq 200); do
        grep -q "com1 ->" "$out" 2>/dev/null && break
        sleep 0.05
    done
    grep -q "com1 ->" "$out" || fail "radiosim did not start: $(cat "$out")"
}
start_radio "$work/radio.out"

cp "$ombra" "$work/program/ombra"
cp "$(dirname "$ombra")/OMBRA0009.DLL" "$work/program/" ||
    fail "the English library is not beside $ombra"
printf '[International]\r\nCountry Code=90\r\n[Communication]\r\nSerial Port=1\r\n' \
    >"$work/program/ombra.INI"

# ---- what is on the screen -----------------------------------------------------

# "id<TAB>title" of every mapped top-level window that is not a menu or tooltip
# (those are override-redirect), sorted by title.
windows() {
    local id info
    for id in $(xwininfo -root -children 2>/dev/null | awk '$1 ~ /^0x/ { print $1 }'); do
        info=$(xwininfo -id "$id" 2>/dev/null) || continue
        grep -q "Map State: IsViewable" <<<"$info" || continue
        grep -q "Override Redirect State: yes" <<<"$info" && continue
        printf '%s\t%s\n' "$id" "$(sed -n 's/^xwininfo: Window id: 0x[0-9a-f]* "\(.*\)"$/\1/p' <<<"$info")"
    done | sort -t$'\t' -k2
}
titles() {
    windows | cut -f2
}
popup_open() {
    local id
    for id in $(xwininfo -root -children 2>/dev/null | awk '$1 ~ /^0x/ { print $1 }'); do
        xwininfo -id "$id" 2>/dev/null | grep -q "Override Redirect State: yes" || continue
        xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" && return 0
    done
    return 1
}
window_id() {
    windows | awk -F'\t' -v t="$1" '$2 == t { print $1; exit }'
}

step=""
# The visible windows must become exactly the given titles; polled, not waited for.
expect() {
    local want seen
    want=$(printf '%s\n' "$@" | sort)
    for _ in $(seq $((timeout_s * 10))); do
        seen=$(titles)
        [[ $seen == "$want" ]] && return 0
        sleep 0.1
    done
    fail "$step: expected the windows [$(paste -sd'|' <<<"$want")], on the screen [$(paste -sd'|' <<<"$seen")]"
}

# Gives the keyboard to the window with this title, as a click on it would.
focus() {
    local id
    id=$(window_id "$1")
    [[ -n $id ]] || fail "$step: no window \"$1\" to type into"
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
}

# Alt+<menu key> on the window `title`, then the item's mnemonic once the menu is open.
menu() {
    local title=$1 heading=$2 item=$3
    focus "$title"
    xdotool key --clearmodifiers "alt+$heading"
    for _ in $(seq $((timeout_s * 10))); do
        popup_open && break
        sleep 0.1
    done
    popup_open || fail "$step: the menu alt+$heading did not open"
    # On a loaded machine the menu can be on the screen before it takes the keyboard; an
    # item key that went elsewhere leaves the menu open, so it is given again.
    local _i
    for _ in $(seq 10); do
        xdotool key --clearmodifiers "$item"
        for _i in $(seq 50); do
            popup_open || return 0
            sleep 0.1
        done
    done
    fail "$step: the menu alt+$heading stayed open after $item"
}

# A key into the window `title` (a message box: Return answers its first button).
press() {
    focus "$1"
    xdotool key --clearmodifiers "$2"
}

# A click at x,y inside the window `title` (dialog controls by their template places).
click() {
    local id
    id=$(window_id "$1")
    [[ -n $id ]] || fail "$step: no window \"$1\" to click into"
    xdotool mousemove --window "$id" "$2" "$3" click 1
}

# ---- the steps -----------------------------------------------------------------

frame="OMBRA 4.0 "
radio="$frame - Telsiz bilgileri"

env -i PATH="$PATH" DISPLAY="$DISPLAY" HOME="$work/home" XDG_RUNTIME_DIR="$work/home" \
    XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    LANG="$locale" LC_ALL="$locale" QT_QPA_PLATFORM=xcb NORDA_PORTS="$work/ports" \
    "$work/program/ombra" -test >"$work/ombra.out" 2>"$work/ombra.err" &
ombra_pid=$!
pids+=("$ombra_pid")

step="start"
expect "$frame"

# "-test" starts in test mode, where the radio commands are off.
step="normal mode (Seçenekler > Yazılım Modu)"
menu "$frame" s m
expect "$frame" "Yazılım Modu"
click "Yazılım Modu" 40 33
press "Yazılım Modu" Return
expect "$frame"

step="read (Telsiz > Oku)"
menu "$frame" t o
expect "$radio"

# The adapter pulled out: one message, and once it is closed nothing comes back.
step="read with the port gone (radiosim stopped)"
kill "$radio_pid"
wait "$radio_pid" 2>/dev/null
menu "$radio" t o
expect "$radio" "DİKKAT!"
press "DİKKAT!" Return
expect "$radio" "SERİ ÇIKIŞ"
press "SERİ ÇIKIŞ" Return
expect "$radio"
sleep 2
[[ $(titles) == "$radio" ]] || fail "$step: after the message, on the screen [$(titles | paste -sd'|')]"

step="read with the port back (radiosim started again)"
start_radio "$work/radio2.out" --log "$work/radio2.log"
menu "$radio" t o
for _ in $(seq $((timeout_s * 10))); do
    grep -q " out " "$work/radio2.log" 2>/dev/null && [[ $(titles) == "$radio" ]] && break
    sleep 0.1
done
grep -q " out " "$work/radio2.log" || fail "$step: the radio never answered"
expect "$radio"

step="write (Telsiz > Yaz)"
menu "$radio" t y
expect "$radio" "BİLGİ"
press "BİLGİ" Return
expect "$radio"

step="copy (Telsiz > Kopyala)"
menu "$radio" t k
expect "$radio" "BİLGİ"
press "BİLGİ" Return
expect "$radio"

# The read left a backup; both items open by their own keys.
step="backups (Dosya > Yedekler...)"
menu "$radio" d e
expect "$radio" "Yedekler"
press "Yedekler" Escape
expect "$radio"
step="compare (Dosya > Karşılaştır...)"
menu "$radio" d k
expect "$radio" "Karşılaştır"
press "Karşılaştır" Escape
expect "$radio"

step="sequential programming of two radios (Telsiz > Sıralı Programla)"
menu "$radio" t s
expect "$radio" "Sıralı Programlama"
for n in 1 2; do
    step="sequential programming, radio $n (Programla)"
    click "Sıralı Programlama" 195 376
    expect "$radio" "Sıralı Programlama" "BİLGİ"
    press "BİLGİ" Return
    expect "$radio" "Sıralı Programlama"
done
step="sequential programming closed (Vazgeç)"
press "Sıralı Programlama" Escape
expect "$radio"

step="new file given up (Dosya > Yeni, Escape)"
menu "$radio" d y
expect "$radio" "DİKKAT!"
press "DİKKAT!" Return
expect "$radio" "Yeni Dosya İlk Değerleri"
press "Yeni Dosya İlk Değerleri" Escape
expect "$radio"

step="new file (Dosya > Yeni)"
menu "$radio" d y
expect "$radio" "DİKKAT!"
press "DİKKAT!" Return
expect "$radio" "Yeni Dosya İlk Değerleri"
press "Yeni Dosya İlk Değerleri" Return
expect "$frame - Yeni kütük"

file="$work/files/deneme.OMB"
step="save (Dosya > Sakla)"
menu "$frame - Yeni kütük" d s
expect "$frame - Yeni kütük" "Dosya Sakla"
focus "Dosya Sakla"
xdotool type --delay 20 "$work/files/deneme"
xdotool key Return
expect "$frame - $file" "BİLGİ"
press "BİLGİ" Return
expect "$frame - $file"
[[ -s $file ]] || fail "$step: $file was not written"

step="open (Dosya > Aç)"
menu "$frame - $file" d a
expect "$frame - $file" "DİKKAT!"
press "DİKKAT!" Return
expect "$frame - $file" "Dosya Aç"
focus "Dosya Aç"
xdotool type --delay 20 "$file"
xdotool key Return
expect "$frame - $file"

plan="$work/files/deneme.csv"
step="export the channel plan (Dosya > Kanal Planını Ver)"
menu "$frame - $file" d v
expect "$frame - $file" "Kanal Planını Ver"
press "Kanal Planını Ver" Return
expect "$frame - $file" "BİLGİ"
press "BİLGİ" Return
expect "$frame - $file"
head -n1 "$plan" | grep -q "^Kanal No,Kanal Adı," || fail "$step: $plan has no plan's header"

step="a refused channel plan (Dosya > Kanal Planını Al)"
printf 'Kanal No,TxFrek.\r\n5,999\r\n' >"$work/files/bad.csv"
menu "$frame - $file" d p
expect "$frame - $file" "Kanal Planını Al"
focus "Kanal Planını Al"
xdotool type --delay 20 "$work/files/bad.csv"
xdotool key Return
expect "$frame - $file" "HATA"
[[ -n ${NORDA_DESKTOP_SHOTS:-} ]] && import -window root "$NORDA_DESKTOP_SHOTS/plan_refused_$locale.png"
press "HATA" Return
expect "$frame - $file"

step="the exported channel plan back (Dosya > Kanal Planını Al)"
menu "$frame - $file" d p
expect "$frame - $file" "Kanal Planını Al"
focus "Kanal Planını Al"
xdotool type --delay 20 "$plan"
xdotool key Return
expect "$frame - $file" "BİLGİ"
press "BİLGİ" Return
expect "$frame - $file"

step="language: English (Seçenekler > Yazılım Dili)"
menu "$frame - $file" s y
expect "$frame - $file" "Yazılım Dili"
click "Yazılım Dili" 40 59
press "Yazılım Dili" Return
expect "$frame - $file"
step="backups in English (File > Backups...)"
menu "$frame - $file" f b
expect "$frame - $file" "Backups"
press "Backups" Escape
expect "$frame - $file"
step="language: back to Turkish (Options > Language)"
menu "$frame - $file" o l
expect "$frame - $file" "Program Language"
click "Program Language" 40 33
press "Program Language" Return
expect "$frame - $file"

step="test mode with the trace (Seçenekler > Yazılım Modu)"
menu "$frame - $file" s m
expect "$frame - $file" "Yazılım Modu"
click "Yazılım Modu" 40 59
click "Yazılım Modu" 40 99
press "Yazılım Modu" Return
expect "$frame" "İzleme Kaydı"

step="exit (Dosya > Çıkış)"
menu "$frame" d ccedilla
expect "$frame" "İzleme Kaydı" "DİKKAT!"
press "DİKKAT!" Return
expect
for _ in $(seq $((timeout_s * 10))); do
    kill -0 "$ombra_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$ombra_pid" 2>/dev/null && fail "$step: the program did not end"
wait "$ombra_pid"
status=$?
((status == 0)) || fail "$step: the program ended with status $status"
echo "PASSED: every step left exactly the expected windows ($locale)"
