#!/usr/bin/env bash
# A batch run of three Word documents stopped with the print button: while the second one's PrintOut is
# still held by the application, the driver clicks the main window's "印刷中止". The second document still
# ends as printed, the run stops before the third (never opened), 13082 is the only box, the log ends with
# the abort lines, and the exit code is 1 once the window, which stays open after an abort, is closed.
# Usage: print_abort.sh REPO_ROOT BUILD_DIR (the mingw build folder); DISPLAY must name a running X server.
set -euo pipefail
root=$1
build=$2
# shellcheck source=tests/e2e/lib/scenario.sh
source "$root/tests/e2e/lib/scenario.sh"

scenario_begin print_abort

first="$token-first.docx" second="$token-second.docx" third="$token-third.docx"
for file in "$first" "$second" "$third"; do echo stand-in document >"$unix_dir/$file"; done
# Long enough for the driver to see it, hold a screenshot and click while the call still waits.
echo 'hold=PrintOut 8000' >"$unix_dir/$second.standin"
write_list "$unix_dir/abort.lst" '[COMMON]' 'PRT_BUSUU=1' \
    '[FILE1]' "FILE=$win_dir\\$first" \
    '[FILE2]' "FILE=$win_dir\\$second" \
    '[FILE3]' "FILE=$win_dir\\$third"

run_batch abort.lst abort.log 90 --click-main "印刷中止" "$win_dir\\journal.txt" "holds PrintOut"
[[ $code -eq 1 ]] || fail "the run exited with $code, not 1"
[[ "$(main_clicks)" == "Tarvoline - $win_dir\\abort.lst	印刷中止	done" ]] ||
    fail "the print button was not clicked as \"印刷中止\": $(main_clicks)"
expect_boxes "Tarvoline	$aborted"
expect_log "ファイルリスト印刷開始：$win_dir\\abort.lst" \
    "ファイル印刷開始　　：$win_dir\\$first" "ファイル印刷正常終了：$win_dir\\$first" \
    "ファイル印刷開始　　：$win_dir\\$second" "ファイル印刷正常終了：$win_dir\\$second" \
    "ファイルリスト印刷中止：$win_dir\\abort.lst" "$aborted"
# The click came while the second document's PrintOut was held; nothing after it was opened.
[[ "$(journal | grep -E ' print "|holds ')" == "Word print \"$first - tarvoline-word\""*"
Word print \"$second - tarvoline-word\""*"
Word.document holds PrintOut 8000 ms" ]] || fail "the documents were not printed as expected: $(journal)"
journal | grep -qF "$third" && fail "the third document was opened after the abort"
scenario_end
