#!/usr/bin/env bash
# Starts Tarvoline.exe, waits for its window, screenshots it and its open File menu, and leaves through
# the menu's exit item: the program must end by itself with exit code 0.
# Usage: smoke.sh REPO_ROOT BUILD_DIR (the mingw build folder); DISPLAY must name a running X server.
set -euo pipefail
root=$1
build=$2
: "${DISPLAY:?smoke.sh needs a DISPLAY}"
# shellcheck source=scripts/wine-env
source "$root/scripts/wine-env"

exe="$build/bin/Tarvoline.exe"
shots="$build/e2e"
mkdir -p "$shots"
rm -f "$shots"/smoke-*.png

fail() {
    echo "smoke: $*" >&2
    exit 1
}

# The About window at start-up is batch.sh's business; here it stays off.
timeout 60 wine reg add 'HKCU\Software\Quendral\Tarvoline\V1\MAIN' /v DontShowAboutOnStartup /t REG_DWORD /d 1 /f \
    </dev/null >/dev/null 2>&1 || fail "could not switch the About window off"
timeout 90 wine "$exe" </dev/null >"$shots/smoke-wine.log" 2>&1 &
app=$!
trap 'kill "$app" 2>/dev/null || true' EXIT

# The window is a named X window inside Wine's virtual desktop once it is mapped.
window=""
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Tarvoline$' 2>/dev/null | head -n 1 || true)
    [[ -n "$window" ]] && break
    kill -0 "$app" 2>/dev/null || fail "Tarvoline.exe ended before showing its window"
    sleep 0.1
done
[[ -n "$window" ]] || fail "no window titled Tarvoline within 30 s"
sleep 1 # let it paint
eval "$(xdotool getwindowgeometry --shell "$window")" # X Y WIDTH HEIGHT
import -window root "$shots/smoke-main.png"

xdotool key alt+f
sleep 1
import -window root "$shots/smoke-file-menu.png"

# The open menu must have changed the picture, and the highlighted first item puts its hint into the
# status bar along the window's bottom edge.
changed=$(compare -metric AE "$shots/smoke-main.png" "$shots/smoke-file-menu.png" null: 2>&1 || true)
[[ "$changed" =~ ^[0-9]+$ && "$changed" -gt 0 ]] || fail "Alt+F changed nothing on the screen ($changed)"
status_strip="${WIDTH}x20+${X}+$((Y + HEIGHT - 24))"
convert "$shots/smoke-main.png" -crop "$status_strip" "$shots/smoke-status-before.png"
convert "$shots/smoke-file-menu.png" -crop "$status_strip" "$shots/smoke-status-menu.png"
status_changed=$(compare -metric AE "$shots/smoke-status-before.png" "$shots/smoke-status-menu.png" null: 2>&1 || true)
[[ "$status_changed" =~ ^[0-9]+$ && "$status_changed" -gt 0 ]] || fail "no menu hint in the status bar"

# "終了(&X)" closes the window and ends the program.
xdotool key x
for _ in $(seq 150); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app" 2>/dev/null && fail "Tarvoline.exe still running 15 s after 終了(X)"
trap - EXIT
code=0
wait "$app" || code=$?
[[ $code -eq 0 ]] || fail "Tarvoline.exe exited with code $code"
echo "smoke: ok (screenshots in $shots)"
