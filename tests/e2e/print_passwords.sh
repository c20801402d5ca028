#!/usr/bin/env bash
# Documents protected by a password stored in the list, printed in batch mode: the key-in types each
# password into the application's own prompt (the Office stand-in shows one while Open waits), and the
# Word document, the workbook and the presentation print. A wrong stored password makes the application
# refuse the document: 13008 for that entry, then 13083, which is answered like a user would, and exit
# code 2.
# Usage: print_passwords.sh REPO_ROOT BUILD_DIR (the mingw build folder); DISPLAY must name a running X server.
set -euo pipefail
root=$1
build=$2
# shellcheck source=tests/e2e/lib/scenario.sh
source "$root/tests/e2e/lib/scenario.sh"

scenario_begin print_passwords

doc="$token-secret.docx" book="$token-secret.xlsx" slides="$token-secret.pptx" wrong="$token-wrong.docx"
for file in "$doc" "$book" "$slides" "$wrong"; do echo stand-in document >"$unix_dir/$file"; done
# Code page 932 characters with a trail byte 0x5C (表, ソ) in the Word password.
printf 'password=pass表ソ\npages=1\n' >"$unix_dir/$doc.standin"
printf 'password=xl-42\nsheets=Data,Chart\n' >"$unix_dir/$book.standin"
printf 'password=スライド\nslides=2\n' >"$unix_dir/$slides.standin"
printf 'password=right\npages=1\n' >"$unix_dir/$wrong.standin"
write_list "$unix_dir/passwords.lst" '[COMMON]' 'PRT_BUSUU=1' \
    '[FILE1]' "FILE=$win_dir\\$doc" 'PASSWORD=pass表ソ' \
    '[FILE2]' "FILE=$win_dir\\$book" 'PASSWORD=xl-42' 'EXCELRANGE=ブック全体' \
    '[FILE3]' "FILE=$win_dir\\$slides" 'PASSWORD=スライド' \
    '[FILE4]' "FILE=$win_dir\\$wrong" 'PASSWORD=wrong'

shot_on_window '^パスワード - ' prompt
run_batch passwords.lst passwords.log 150
[[ $code -eq 2 ]] || fail "the run exited with $code, not 2"

refused="ＯＬＥエラー：アプリケーションの起動又は印刷ができませんでした。(FILE=$win_dir\\$wrong, MSG=パスワードが正しくありません。$wrong を開けません。)"
expect_boxes "Tarvoline	$refused" "Tarvoline	$finished"
# A list entry always carries its sheet list, here an empty one: "Sheets=" is logged.
expect_log "ファイルリスト印刷開始：$win_dir\\passwords.lst" \
    "ファイル印刷開始　　：$win_dir\\$doc" "ファイル印刷正常終了：$win_dir\\$doc" \
    "ファイル印刷開始　　：$win_dir\\$book" \
    "　印刷ログ　：file=$win_dir\\$book, Pages=, SheetRange=ブック全体, Sheets=, Password=Yes , " \
    "ファイル印刷正常終了：$win_dir\\$book" \
    "ファイル印刷開始　　：$win_dir\\$slides" "ファイル印刷正常終了：$win_dir\\$slides" \
    "ファイル印刷開始　　：$win_dir\\$wrong" "$refused" "ファイル印刷エラー　：$win_dir\\$wrong" \
    "ファイルリスト印刷異常終了：$win_dir\\passwords.lst" "$finished"

# Each prompt was confirmed with its OK button; the right passwords opened their documents.
prompts=$(journal | grep ' prompt ')
expected_prompts=$(printf '%s\n' "Word prompt button right password" "Excel prompt button right password" \
    "PowerPoint prompt button right password" "Word prompt button wrong password")
[[ "$prompts" == "$expected_prompts" ]] || fail "the prompts were answered otherwise: $prompts"
# No password crosses the automation boundary.
journal | grep -qF -e 'pass表ソ' -e 'xl-42' -e 'スライド' && fail "a password was passed to an application"
journal | grep -q "^Word print \"$wrong" && fail "the document with the wrong password printed"
wait_for_pdfs "$doc - tarvoline-word" 1 60
wait_for_pdfs "$book Data,Chart - tarvoline-excel" 1 60
[[ $(pdf_pages "$(pdfs_titled "$book Data,Chart - ")") == 2 ]] || fail "the workbook did not print both its sheets"
wait_for_pdfs "$slides - tarvoline-powerpoint" 1 60
[[ -z "$(pdfs_titled "$wrong")" ]] || fail "a PDF came out for the document with the wrong password"
scenario_end
