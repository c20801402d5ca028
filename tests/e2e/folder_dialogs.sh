#!/usr/bin/env bash
# The folder windows as a user sees them: the add-mode window for two folders, and the progress window in the
# middle of a walk over a big folder tree, stopped with its Cancel button. Screenshots land in BUILD_DIR/e2e.
# Usage: folder_dialogs.sh REPO_ROOT BUILD_DIR (the mingw build folder); DISPLAY must name a running X server.
set -euo pipefail
root=$1
build=$2
: "${DISPLAY:?folder_dialogs.sh needs a DISPLAY}"
# shellcheck source=scripts/wine-env
source "$root/scripts/wine-env"

exe="$build/tests/win32/folder_windows_win32_test.exe"
shots="$build/e2e"
mkdir -p "$shots"

fail() {
    echo "folder_dialogs: $*" >&2
    exit 1
}

# Waits for the window titled $1 of the program $2; prints its X window id.
wait_window() {
    local caption=$1 app=$2 window=""
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1 || true)
        [[ -n "$window" ]] && break
        kill -0 "$app" 2>/dev/null || fail "the preview ended before showing $caption"
        sleep 0.1
    done
    [[ -n "$window" ]] || { kill "$app" 2>/dev/null; fail "no window titled $caption within 30 s"; }
    echo "$window"
}

# The add-mode window: Esc cancels it (result 2).
rm -f "$shots/folder-add-fold.png"
timeout 60 wine "$exe" --preview add-fold </dev/null >"$shots/folder-add-fold-wine.log" 2>&1 &
app=$!
window=$(wait_window "フォルダ追加方法選択" "$app")
sleep 1 # let it paint
import -window root "$shots/folder-add-fold.png"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key Escape
code=0
wait "$app" || code=$?
[[ "$code" == 2 ]] || fail "the add-mode window closed with $code, expected 2"
echo "folder_dialogs: add-fold ok ($shots/folder-add-fold.png)"

# The system's folder picker, started in a folder: a typed subfolder name and Enter choose it (one folder).
rm -f "$shots/folder-picker.png"
timeout 60 wine "$exe" --preview pick 'C:\windows' </dev/null >"$shots/folder-picker-wine.log" 2>&1 &
app=$!
window=$(wait_window "フォルダーの選択" "$app")
sleep 1
import -window root "$shots/folder-picker.png"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool type --delay 50 help
sleep 0.5
xdotool key Return
code=0
wait "$app" || code=$?
[[ "$code" == 1 ]] || fail "the folder picker returned $code folders, expected 1"
echo "folder_dialogs: picker ok ($shots/folder-picker.png)"

# A tree of 200 folders with 300 documents each, made once per build folder.
tree="$build/e2e/folder-tree"
if [[ ! -e "$tree/.complete" ]]; then
    rm -rf "$tree"
    for folder in $(seq -w 0 199); do
        mkdir -p "$tree/sub$folder"
        (cd "$tree/sub$folder" && seq -w 0 299 | sed 's/$/.pdf/' | xargs touch)
    done
    touch "$tree/.complete"
fi

# The progress window mid-walk (the preview lists each folder as slowly as a busy share); its Cancel button has the focus, and Space presses it while the walk handles
# messages on entering each subfolder (result 2). A walk that ends first closes with 1 and fails here.
rm -f "$shots/folder-progress.png"
timeout 120 wine "$exe" --preview progress "$(winepath -w "$tree")" </dev/null >"$shots/folder-progress-wine.log" 2>&1 &
app=$!
window=$(wait_window "ファイル情報取得中..." "$app")
sleep 1.5
import -window root "$shots/folder-progress.png"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key space
code=0
wait "$app" || code=$?
[[ "$code" == 2 ]] || fail "the progress window closed with $code, expected 2 (cancelled)"
echo "folder_dialogs: progress ok ($shots/folder-progress.png)"
