#!/usr/bin/env bash
# A batch run whose first entry's file was deleted after the list was made: 13040 when the list opens
# (the row has no icon), 13039 when the run reaches it, the next entry still prints; a drawing that its
# application refuses to open gives 13008 with the error's code and the step reached; 13083 at the end,
# every box answered like a user would, and exit code 2.
# Usage: print_missing.sh REPO_ROOT BUILD_DIR (the mingw build folder); DISPLAY must name a running X server.
set -euo pipefail
root=$1
build=$2
# shellcheck source=tests/e2e/lib/scenario.sh
source "$root/tests/e2e/lib/scenario.sh"

scenario_begin print_missing

gone="$token-gone.docx" after="$token-after.pptx" refused="$token-refused.vsd"
for file in "$gone" "$after" "$refused"; do echo stand-in document >"$unix_dir/$file"; done
echo 'fail=Open 0x800A03EC このファイルは開けません。' >"$unix_dir/$refused.standin"
write_list "$unix_dir/missing.lst" '[COMMON]' 'PRT_BUSUU=1' \
    '[FILE1]' "FILE=$win_dir\\$gone" \
    '[FILE2]' "FILE=$win_dir\\$after" \
    '[FILE3]' "FILE=$win_dir\\$refused"
rm "$unix_dir/$gone"

run_batch missing.lst missing.log 90
[[ $code -eq 2 ]] || fail "the run exited with $code, not 2"
not_found="ファイルが見つからないか又はファイルに異常があります。（File=$win_dir\\$gone）    "
no_icon="ファイル情報の取得に失敗しました。\nファイルリストでアイコンが表示されていないファイルはファイル情報の取得に失敗しています。ファイルがすでに削除されているか又はなんらかの理由でファイルにアクセスできないものと思われます。"
refusal="ＯＬＥエラー：アプリケーションの起動又は印刷ができませんでした。(FILE=$win_dir\\$refused, MSG=このファイルは開けません。 Code:800A03EC Proc:CreateObject done)"
expect_boxes "Tarvoline	$no_icon" "Tarvoline	$not_found" "Tarvoline	$refusal" "Tarvoline	$finished"
# 13040 came before the run, which starts its log afresh.
expect_log "ファイルリスト印刷開始：$win_dir\\missing.lst" \
    "ファイル印刷開始　　：$win_dir\\$gone" "$not_found" "ファイル印刷エラー　：$win_dir\\$gone" \
    "ファイル印刷開始　　：$win_dir\\$after" "ファイル印刷正常終了：$win_dir\\$after" \
    "ファイル印刷開始　　：$win_dir\\$refused" "$refusal" "ファイル印刷エラー　：$win_dir\\$refused" \
    "ファイルリスト印刷異常終了：$win_dir\\missing.lst" "$finished"
journal | grep -qF "$gone" && fail "an application was asked to open the deleted file"
# After the refusal the handler still answers alerts with No and lets the application quit.
[[ "$(journal | grep '^Visio' | tail -n 3)" == "Visio.documents fails Open: このファイルは開けません。
Visio.application put AlertResponse(DISPID_PROPERTYPUT=VT_I1 7)
Visio.application method Quit()" ]] || fail "the drawing's application was not closed down: $(journal | grep '^Visio')"
wait_for_pdfs "$after - tarvoline-powerpoint" 1 60
scenario_end
