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

# Starts the preview with the arguments after name and caption, waits for its window, lets it paint for the
# given seconds and screenshots it into folder-NAME.png; sets app and window.
show() {
    local name=$1 caption=$2 settle=$3
    shift 3
    rm -f "$shots/folder-$name.png"
    timeout 120 wine "$exe" --preview "$@" </dev/null >"$shots/folder-$name-wine.log" 2>&1 &
    app=$!
    window=""
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1 || true)
        [[ -n "$window" ]] && break
        kill -0 "$app" 2>/dev/null || fail "the $name preview ended before showing $caption"
        sleep 0.1
    done
    [[ -n "$window" ]] || { kill "$app" 2>/dev/null; fail "no window titled $caption within 30 s"; }
    sleep "$settle"
    import -window root "$shots/folder-$name.png"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
}

# Waits for the preview named $1 to end with the exit code $2.
finish() {
    local name=$1 expected=$2 code=0
    wait "$app" || code=$?
    [[ "$code" == "$expected" ]] || fail "$name ended with $code, expected $expected"
    echo "folder_dialogs: $name ok ($shots/folder-$name.png)"
}

# The add-mode window: Esc cancels it (result 2).
show add-fold "フォルダ追加方法選択" 1 add-fold
xdotool key Escape
finish add-fold 2

# The system's folder picker, started in a folder: a typed subfolder name and Enter choose it (one folder).
show picker "フォルダーの選択" 1 pick 'C:\windows'
xdotool type --delay 50 help
sleep 0.5
xdotool key Return
finish picker 1

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

# The progress window mid-walk (the preview lists each folder as slowly as a busy share); its Cancel button
# has the focus, and Space presses it while the walk handles messages on entering each subfolder (result 2).
# A walk that ends first closes with 1 and fails here.
show progress "ファイル情報取得中..." 1.5 progress "$(winepath -w "$tree")"
xdotool key space
finish progress 2
