#!/usr/bin/env bash
# Batch mode end to end: "/B list log" prints a list whose entries are all unchecked, writes the log and
# ends by itself with exit code 0; "/B missing.lst log" shows 13038, stays open, writes no log and exits
# with 3 once closed; a run with a failing file writes the log, stays open and exits with 2. Also
# screenshots the main window with a list loaded.
# Usage: batch.sh REPO_ROOT BUILD_DIR (the mingw build folder); DISPLAY must name a running X server.
set -euo pipefail
root=$1
build=$2
: "${DISPLAY:?batch.sh needs a DISPLAY}"
# shellcheck source=scripts/wine-env
source "$root/scripts/wine-env"

exe="$build/bin/Tarvoline.exe"
shots="$build/e2e"
mkdir -p "$shots"
rm -f "$shots"/batch-*.png

fail() {
    echo "batch: $*" >&2
    exit 1
}

# The files live on Wine's drive C:, the list names them with Windows paths.
unix_dir="$WINEPREFIX/drive_c/tarvoline-e2e"
win_dir='C:\tarvoline-e2e'
rm -rf "$unix_dir"
mkdir -p "$unix_dir/資料"
echo document >"$unix_dir/資料/週報.doc"
echo document >"$unix_dir/b.pdf"
# Written by hand in code page 932 with CR LF, as the program writes list files; nothing is checked, so
# the run needs no document application.
printf '%s\r\n' '[COMMON]' 'COMMENT=Tarvoline.exe' 'VERSION=1' 'VERSION_FULL=1.0.0' 'PRT_BUSUU=2' \
    '[FILE1]' "FILE=$win_dir\\資料\\週報.doc" 'PRINT=NO' \
    '[FILE2]' "FILE=$win_dir\\b.pdf" 'PRINT=NO' \
    '[MEMO]' 'TEXT1=毎週月曜に印刷' |
    iconv -f UTF-8 -t CP932 >"$unix_dir/batch.lst"

wait_for_windows() { # name count seconds
    local found=0
    for _ in $(seq $(($3 * 10))); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l || true)
        ((found >= $2)) && return 0
        sleep 0.1
    done
    return 1
}

wait_for_exit() { # pid seconds
    for _ in $(seq $(($2 * 10))); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# 1. The window with the list loaded, interactively: the About window comes first (not in batch mode),
# then a screenshot, then leave through 終了(X).
main_key='HKCU\Software\Quendral\Tarvoline\V1\MAIN'
timeout 60 wine reg add "$main_key" /v DontShowAboutOnStartup /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 ||
    fail "could not switch the About window on"
timeout 90 wine "$exe" "$win_dir\\batch.lst" </dev/null >"$shots/batch-wine-open.log" 2>&1 &
app=$!
trap 'kill "$app" 2>/dev/null || true' EXIT
wait_for_windows '^バージョン情報$' 1 30 || fail "no About window at an interactive start"
sleep 0.5
import -window root "$shots/batch-about.png"
xdotool key Return
wait_for_windows '^Tarvoline - ' 1 30 || fail "no window captioned with the list within 30 s"
sleep 1
import -window root "$shots/batch-main.png"
xdotool key alt+f
sleep 0.5
xdotool key x
wait_for_exit "$app" 15 || fail "the interactive run did not end after 終了(X)"
code=0
wait "$app" || code=$?
[[ $code -eq 0 ]] || fail "the interactive run exited with $code"

# 2. A batch run that prints everything ends by itself.
rm -f "$unix_dir/batch.log"
code=0
timeout 60 wine "$exe" /B "$win_dir\\batch.lst" "$win_dir\\batch.log" </dev/null >"$shots/batch-wine-ok.log" 2>&1 ||
    code=$?
[[ $code -eq 0 ]] || fail "the batch run exited with $code (124 = still running after 60 s)"
[[ -f "$unix_dir/batch.log" ]] || fail "no log file"
[[ "$(head -c 3 "$unix_dir/batch.log" | od -An -tx1 | tr -d ' \n')" == efbbbf ]] || fail "the log has no UTF-8 BOM"
body="$shots/batch-log-body.txt"
tail -c +4 "$unix_dir/batch.log" >"$body"
start="ファイルリスト印刷開始：$win_dir\\batch.lst"
end="ファイルリスト印刷終了：$win_dir\\batch.lst"
[[ $(wc -l <"$body") -eq 2 ]] || fail "the log is not two lines: $(cat "$body")"
head -n 1 "$body" | grep -qF "$start" || fail "no start line in the log: $(cat "$body")"
sed -n 2p "$body" | grep -qF "$end" || fail "no end line in the log: $(cat "$body")"
[[ $(grep -c $'\r$' "$body") -eq 2 ]] || fail "the log lines do not end in CR LF"

# 3. A missing batch list: the box, the window stays, exit code 3, no log.
rm -f "$unix_dir/missing.log"
timeout 90 wine "$exe" /B "$win_dir\\missing.lst" "$win_dir\\missing.log" </dev/null \
    >"$shots/batch-wine-missing.log" 2>&1 &
app=$!
# The main window and the box are both captioned "Tarvoline".
wait_for_windows '^Tarvoline$' 2 30 || fail "no message box over the window within 30 s"
sleep 0.5
import -window root "$shots/batch-missing-box.png"
xdotool key Return
sleep 2
kill -0 "$app" 2>/dev/null || fail "the window did not stay open after the message"
wait_for_windows '^Tarvoline$' 1 5 || fail "the main window is gone"
[[ ! -e "$unix_dir/missing.log" ]] || fail "a log file was written for a list that did not open"
xdotool key alt+f
sleep 0.5
xdotool key x
wait_for_exit "$app" 15 || fail "the window did not close after 終了(X)"
trap - EXIT
code=0
wait "$app" || code=$?
[[ $code -eq 3 ]] || fail "a missing batch list exited with $code, not 3"
[[ ! -e "$unix_dir/missing.log" ]] || fail "a log file was written for a list that did not open"

# 4. A batch run in which a file fails: every box waits for Enter, the log ends with 13083, the window
# stays open, exit code 2 once it is closed. The checked entry names a file that is not there.
printf '%s\r\n' '[COMMON]' 'PRT_BUSUU=1' '[FILE1]' "FILE=$win_dir\\gone.doc" |
    iconv -f UTF-8 -t CP932 >"$unix_dir/failing.lst"
rm -f "$unix_dir/failing.log"
timeout 120 wine "$exe" /B "$win_dir\\failing.lst" "$win_dir\\failing.log" </dev/null \
    >"$shots/batch-wine-failing.log" 2>&1 &
app=$!
trap 'kill "$app" 2>/dev/null || true' EXIT
boxes=0
for _ in $(seq 600); do
    [[ -s "$unix_dir/failing.log" ]] && break
    kill -0 "$app" 2>/dev/null || fail "the failing batch run ended by itself"
    # A box is captioned "Tarvoline"; so is the main window until the list has been opened.
    plain=$(xdotool search --onlyvisible --name '^Tarvoline$' 2>/dev/null | wc -l || true)
    named=$(xdotool search --onlyvisible --name '^Tarvoline - ' 2>/dev/null | wc -l || true)
    if ((plain >= 2 || (plain >= 1 && named >= 1))); then
        sleep 0.3
        ((boxes == 0)) && import -window root "$shots/batch-failing-box.png"
        xdotool key Return
        boxes=$((boxes + 1))
        sleep 0.5
    fi
    sleep 0.1
done
[[ -s "$unix_dir/failing.log" ]] || fail "no log file after the failed run"
last=$(tail -n 1 "$unix_dir/failing.log" | tr -d '\r')
[[ "$last" == *"印刷が終了しました。一部のファイルでエラーが発生しました。" ]] || fail "the log does not end with 13083: $last"
sleep 1
kill -0 "$app" 2>/dev/null || fail "the window did not stay open after a failed run"
xdotool key alt+f
sleep 0.5
xdotool key x
wait_for_exit "$app" 15 || fail "the window did not close after 終了(X)"
trap - EXIT
code=0
wait "$app" || code=$?
[[ $code -eq 2 ]] || fail "a batch run with a failed file exited with $code, not 2 ($boxes boxes answered)"

echo "batch: ok (screenshots in $shots)"
