#!/usr/bin/env bash
# The folder contents window on a sample tree of a dozen documents: browsing (screenshot, closed with
# Enter) and printing (screenshot while the fourth file prints, stopped with a mouse click on its
# button, which must end the folder with 1).
# Usage: fold_files.sh REPO_ROOT BUILD_DIR (the mingw build folder); DISPLAY must name a running X server.
set -euo pipefail
root=$1
build=$2
: "${DISPLAY:?fold_files.sh needs a DISPLAY}"
# shellcheck source=scripts/wine-env
source "$root/scripts/wine-env"

exe="$build/bin/fold_files_preview.exe"
marker="$build/bin/fold_files_preview.marker"
shots="$build/e2e"
mkdir -p "$shots"
caption="フォルダ内ファイル一覧"

fail() {
    echo "fold_files: $*" >&2
    exit 1
}

wait_window() {
    local app=$1 window=""
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1 || true)
        [[ -n "$window" ]] && break
        kill -0 "$app" 2>/dev/null || fail "the preview ended before showing its window"
        sleep 0.1
    done
    [[ -n "$window" ]] || { kill "$app" 2>/dev/null; fail "no window titled $caption within 30 s"; }
    echo "$window"
}

# Browsing: listed 300 ms after it shows; Enter presses the default button.
rm -f "$shots/fold-files-browse.png"
timeout 60 wine "$exe" browse </dev/null >"$shots/fold-files-browse-wine.log" 2>&1 &
app=$!
window=$(wait_window "$app")
sleep 1.5
import -window root "$shots/fold-files-browse.png"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key Return
code=0
wait "$app" || code=$?
[[ "$code" == 0 ]] || fail "browsing closed with $code, expected 0"
echo "fold_files: browse ok ($shots/fold-files-browse.png)"

# Printing: the stand-in handler holds the fourth file and says where the stop button is.
rm -f "$shots/fold-files-print.png" "$marker"
timeout 120 wine "$exe" print </dev/null >"$shots/fold-files-print-wine.log" 2>&1 &
app=$!
wait_window "$app" >/dev/null
for _ in $(seq 600); do
    [[ -s "$marker" ]] && break
    kill -0 "$app" 2>/dev/null || fail "the preview ended before the fourth file"
    sleep 0.1
done
[[ -s "$marker" ]] || { kill "$app" 2>/dev/null; fail "the fourth file never started printing"; }
sleep 0.5 # let it paint
import -window root "$shots/fold-files-print.png"
read -r x y <"$marker"
xdotool mousemove "$x" "$y" click 1
code=0
wait "$app" || code=$?
rm -f "$marker"
[[ "$code" == 1 ]] || fail "the stopped folder ended with $code, expected 1"
echo "fold_files: print ok ($shots/fold-files-print.png)"
