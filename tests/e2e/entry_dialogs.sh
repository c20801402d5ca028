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
