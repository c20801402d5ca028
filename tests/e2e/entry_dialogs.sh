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

# name, caption, key that closes it, expected exit code
check() {
    local name=$1 caption=$2 key=$3 expected=$4
    rm -f "$shots/entry-$name.png"
    timeout 60 wine "$exe" "$name" </dev/null >"$shots/entry-$name-wine.log" 2>&1 &
    local app=$! window=""
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1 || true)
        [[ -n "$window" ]] && break
        kill -0 "$app" 2>/dev/null || fail "$name ended before showing its window"
        sleep 0.1
    done
    [[ -n "$window" ]] || { kill "$app" 2>/dev/null; fail "no window titled $caption within 30 s"; }
    sleep 1 # let it paint (the sheet dialog reads its names first)
    import -window root "$shots/entry-$name.png"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key "$key"
    local code=0
    wait "$app" || code=$?
    [[ "$code" == "$expected" ]] || fail "$name closed with $code, expected $expected"
    echo "entry_dialogs: $name ok ($shots/entry-$name.png)"
}

check word "詳細設定" Return 1
check excel "詳細設定" Escape 2
check pdf "詳細設定" Return 1
check visio "詳細設定" Escape 2
check sheets "Ｅｘｃｅｌシート選択" Return 1
