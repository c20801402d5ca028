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

tag=dialog
# shellcheck source=tests/e2e/lib/preview_window.sh
source "$root/tests/e2e/lib/preview_window.sh"

check options "オプション" Return 1
check printlog "印刷ログ" Escape 0
check about "バージョン情報" Return 1
check textinput "入力ダイアログ" Return 1
