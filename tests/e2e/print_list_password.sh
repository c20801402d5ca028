#!/usr/bin/env bash
# A list protected by a list password, opened in batch mode: the masked prompt asks for the password, the
# driver types it like a user, and the list prints and the program ends with exit code 0. With a wrong
# password typed the list does not open: 13210, exit code 3, no log file.
# Usage: print_list_password.sh REPO_ROOT BUILD_DIR (the mingw build folder); DISPLAY must name a running X server.
set -euo pipefail
root=$1
build=$2
# shellcheck source=tests/e2e/lib/scenario.sh
source "$root/tests/e2e/lib/scenario.sh"

scenario_begin print_list_password

doc="$token-locked.docx"
echo stand-in document >"$unix_dir/$doc"
password='鍵表ソ-42'
# The list as the program writes it, by our list tool: every value enciphered.
printf '%s\r\n' "$win_dir\\$doc" >"$unix_dir/paths.txt"
timeout 60 wine "$bin/tarvoline-list.exe" from-text "$win_dir\\paths.txt" "$win_dir\\locked.lst" --password "$password" \
    </dev/null >/dev/null 2>&1 || fail "tarvoline-list could not write the protected list"
tr -d '\r' <"$unix_dir/locked.lst" | grep -q '^FILE=[0-9A-F]\+$' || fail "the list's FILE value is not enciphered"

prompt="ファイルはパスワード保護されています。パスワードを入力してください。"
run_batch locked.lst locked.log 90 --on "入力ダイアログ" "type:$password;press:OK"
[[ $code -eq 0 ]] || fail "the run exited with $code, not 0"
expect_boxes "入力ダイアログ	$prompt"
expect_log "ファイルリスト印刷開始：$win_dir\\locked.lst" \
    "ファイル印刷開始　　：$win_dir\\$doc" "ファイル印刷正常終了：$win_dir\\$doc" \
    "ファイルリスト印刷終了：$win_dir\\locked.lst"
wait_for_pdfs "$doc - tarvoline-word" 1 60

# A wrong password: the list stays closed.
rm -f "$unix_dir/journal.txt"
mismatch="パスワードが一致しないか又は復号でエラーが発生しました"
run_batch locked.lst wrong.log 60 --on "入力ダイアログ" "type:wrong;press:OK" --on "$mismatch" "press:OK;close-main"
[[ $code -eq 3 ]] || fail "a wrong list password exited with $code, not 3"
expect_boxes "入力ダイアログ	$prompt" "Tarvoline	$mismatch"
[[ ! -e "$unix_dir/wrong.log" ]] || fail "a log file was written for a list that did not open"
[[ ! -s "$unix_dir/journal.txt" ]] || fail "an application was started for a list that did not open"
scenario_end
