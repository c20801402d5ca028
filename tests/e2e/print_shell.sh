#!/usr/bin/env bash
# A PDF and a file of another registered type printed in batch mode through the shell's "printto" verb:
# the print-to stand-in is started with the file and the quoted printer name and a PDF comes out of the
# queue for each. Wine 8 stubs the printer change notification, so the spool monitor then ends with
# 13062 and each entry counts as failed: 13083, the log written, the window left open, exit code 2 once
# it is closed. (On Windows the same run succeeds.)
# Usage: print_shell.sh REPO_ROOT BUILD_DIR (the mingw build folder); DISPLAY must name a running X server.
set -euo pipefail
root=$1
build=$2
# shellcheck source=tests/e2e/lib/scenario.sh
source "$root/tests/e2e/lib/scenario.sh"

scenario_begin print_shell

pdf="$token-manual.pdf" other="$token-notes.tvtest"
printf '%%PDF-1.4\n%%stand-in document\n' >"$unix_dir/$pdf"
printf 'Tarvoline e2e\r\n別の種類のファイル\r\n' | iconv -f UTF-8 -t CP932 >"$unix_dir/$other"
write_list "$unix_dir/shell.lst" '[COMMON]' 'PRT_BUSUU=1' \
    '[FILE1]' "FILE=$win_dir\\$pdf" \
    '[FILE2]' "FILE=$win_dir\\$other"

run_batch shell.lst shell.log 120
[[ $code -eq 2 ]] || fail "the run exited with $code, not 2"

watch_failed="PDFの印刷に失敗しました。(FindFirst Printer=$printer, Error=0)"
expect_boxes "Tarvoline	$watch_failed" "Tarvoline	$watch_failed" "Tarvoline	$finished"
expect_log "ファイルリスト印刷開始：$win_dir\\shell.lst" \
    "ファイル印刷開始　　：$win_dir\\$pdf" "$watch_failed" "ファイル印刷エラー　：$win_dir\\$pdf" \
    "ファイル印刷開始　　：$win_dir\\$other" "$watch_failed" "ファイル印刷エラー　：$win_dir\\$other" \
    "ファイルリスト印刷異常終了：$win_dir\\shell.lst" "$finished"

# The print-to program got each file and the printer name, and printed it.
printto=$(tr -d '\r' <"$unix_dir/printto.txt" 2>/dev/null || true)
for file in "$pdf" "$other"; do
    grep -q "^$(printf '%s\t%s\tprinted [0-9]*\t' "$win_dir\\$file" "$printer" | sed 's/\\/\\\\/g')" <<<"$printto" ||
        fail "the print-to program did not print $file: $printto"
done
# The shell quoted the printer name (Wine keeps the quotes: ""PDF"").
[[ $(grep -c '""PDF""' <<<"$printto") -eq 2 ]] || fail "the printer name did not come quoted: $printto"
wait_for_pdfs "$pdf - tarvoline-printto" 1 60
wait_for_pdfs "$other - tarvoline-printto" 1 60
scenario_end
