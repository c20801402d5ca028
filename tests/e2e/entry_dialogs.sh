#!/usr/bin/env bash
# Opens the entry detail dialog for a Word, an Excel, a PDF and a Visio entry and the sheet dialog, each
# over a sample list, screenshots it and closes it from the keyboard: the dialog must come up under its
# Japanese caption and close with the expected result.
# Usage: entry_dialogs.sh REPO_ROOT BUILD_DIR (the mingw build folder); DISPLAY must name a running X server.
set -euo pipefail
root=$1
build=$2
: "${DISPLAY:?entry_dialogs.sh needs a DISPLAY}"
# shellcheck source=scripts/wine-env
source "$root/scripts/wine-env"

exe="$build/bin/entry_dialog_preview.exe"
shots="$build/e2e"
mkdir -p "$shots"

fail() {
    echo "entry_dialogs: $*" >&2
    exit 1
}

tag=entry
# shellcheck source=tests/e2e/lib/preview_window.sh
source "$root/tests/e2e/lib/preview_window.sh"

check word "詳細設定" Return 1
check excel "詳細設定" Escape 2
check pdf "詳細設定" Return 1
check visio "詳細設定" Escape 2
check sheets "Ｅｘｃｅｌシート選択" Return 1

# The main window's detail command opens the dialog for the selected row of a list.
folder="$WINEPREFIX/drive_c/tarvoline-e2e-detail"
mkdir -p "$folder"
: >"$folder/週報.docx"
printf 'C:\\tarvoline-e2e-detail\\週報.docx\r\n' >"$folder/paths.txt"
timeout 60 wine "$build/bin/tarvoline-list.exe" from-text 'C:\tarvoline-e2e-detail\paths.txt' \
    'C:\tarvoline-e2e-detail\detail.lst' </dev/null >/dev/null 2>&1 || fail "could not make the list"
timeout 60 wine reg add 'HKCU\Software\Quendral\Tarvoline\V1\MAIN' /v DontShowAboutOnStartup /t REG_DWORD /d 1 /f \
    </dev/null >/dev/null 2>&1 || fail "could not switch the About window off"
timeout 90 wine "$build/bin/Tarvoline.exe" 'C:\tarvoline-e2e-detail\detail.lst' </dev/null \
    >"$shots/entry-main-wine.log" 2>&1 &
app=$!
trap 'kill "$app" 2>/dev/null || true' EXIT
wait_for_window '^Tarvoline - ' "$app"
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true
# Ctrl+A selects every row; "詳細設定(&S)" opens the dialog for each selected row.
xdotool key ctrl+a
sleep 0.5
xdotool key alt+s
wait_for_window '^詳細設定$' "$app"
sleep 1
import -window root "$shots/entry-main-detail.png"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key Escape
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^詳細設定$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^詳細設定$' >/dev/null 2>&1 && fail "the detail dialog did not close on Esc"
echo "entry_dialogs: main window ok ($shots/entry-main-detail.png)"
