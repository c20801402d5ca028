#!/usr/bin/env bash
# Opens each small window with sample data, screenshots it and closes it from the keyboard: the window
# must come up under its Japanese caption and close with the expected result.
# Usage: dialogs.sh REPO_ROOT BUILD_DIR (the mingw build folder); DISPLAY must name a running X server.
set -euo pipefail
root=$1
build=$2
: "${DISPLAY:?dialogs.sh needs a DISPLAY}"
# shellcheck source=scripts/wine-env
source "$root/scripts/wine-env"

exe="$build/bin/dialog_preview.exe"
shots="$build/e2e"
mkdir -p "$shots"

fail() {
    echo "dialogs: $*" >&2
    exit 1
}

# name, caption, key that closes it, expected exit code
check() {
    local name=$1 caption=$2 key=$3 expected=$4
    rm -f "$shots/dialog-$name.png"
    timeout 60 wine "$exe" "$name" </dev/null >"$shots/dialog-$name-wine.log" 2>&1 &
    local app=$! window=""
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1 || true)
        [[ -n "$window" ]] && break
        kill -0 "$app" 2>/dev/null || fail "$name ended before showing its window"
        sleep 0.1
    done
    [[ -n "$window" ]] || { kill "$app" 2>/dev/null; fail "no window titled $caption within 30 s"; }
    sleep 1 # let it paint
    import -window root "$shots/dialog-$name.png"
    # The key goes to the focused window, as a user's would.
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key "$key"
    local code=0
    wait "$app" || code=$?
    [[ "$code" == "$expected" ]] || fail "$name closed with $code, expected $expected"
    echo "dialogs: $name ok ($shots/dialog-$name.png)"
}

check options "オプション" Return 1
check printlog "印刷ログ" Escape 0
check about "バージョン情報" Return 1
check textinput "入力ダイアログ" Return 1
