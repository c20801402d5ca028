#!/usr/bin/env bash
# A mixed list printed in batch mode with copies 2: a Word document with a page list, a workbook by named
# sheets with one job per sheet, a presentation with slide ranges, a drawing with a from-to range (whose
# first print request fails and is tried again), an unchecked entry and a folder entry holding a Word
# document and a presentation (printed through the folder contents window); every document comes out of
# the PDF queue twice, in list order, and the run ends by itself with exit code 0. E2E_FOLDER_ENTRY=0
# leaves the folder entry out.
# Usage: print_mixed.sh REPO_ROOT BUILD_DIR (the mingw build folder); DISPLAY must name a running X server.
set -euo pipefail
root=$1
build=$2
# shellcheck source=tests/e2e/lib/scenario.sh
source "$root/tests/e2e/lib/scenario.sh"

scenario_begin print_mixed
folder_entry=${E2E_FOLDER_ENTRY:-1}

doc="$token-report.docx" book="$token-book.xlsx" slides="$token-slides.pptx" drawing="$token-drawing.vsdx"
skipped="$token-skipped.docx"
for file in "$doc" "$book" "$slides" "$drawing" "$skipped"; do echo stand-in document >"$unix_dir/$file"; done
echo 'pages=5' >"$unix_dir/$doc.standin"
printf 'sheets=Sales,~Hidden,Costs,Notes\nselected=Notes\n' >"$unix_dir/$book.standin"
echo 'slides=6' >"$unix_dir/$slides.standin"
# The drawing's first print request fails (each copy starts a new server): the handler tries again.
printf 'pages=4\nfail-once=PrintOut 0x80004005 プリンターが応答しません\n' >"$unix_dir/$drawing.standin"
entries=(
    '[FILE1]' "FILE=$win_dir\\$doc" 'START=1-2,4'
    '[FILE2]' "FILE=$win_dir\\$book" 'EXCELRANGE=シート選択' 'EXCELSHEETS0=Sales' 'EXCELSHEETS1=Costs' 'EXCELSEPJOB=YES'
    '[FILE3]' "FILE=$win_dir\\$slides" 'START=2-3,5'
    '[FILE4]' "FILE=$win_dir\\$drawing" 'START=2-3'
    '[FILE5]' "FILE=$win_dir\\$skipped" 'PRINT=NO'
)
inner_doc="$token-inner-a.docx" inner_slides="$token-inner-b.pptx"
if [[ "$folder_entry" == 1 ]]; then
    mkdir -p "$unix_dir/資料"
    echo stand-in document >"$unix_dir/資料/$inner_doc"
    echo stand-in document >"$unix_dir/資料/$inner_slides"
    entries+=('[FILE6]' "FILE=$win_dir\\資料\\")
fi
write_list "$unix_dir/mixed.lst" '[COMMON]' 'COMMENT=Tarvoline.exe' 'VERSION=1' 'PRT_BUSUU=2' "${entries[@]}"

# The folder contents window and the collection's progress dialog are the program's own windows at work.
folder_windows=()
[[ "$folder_entry" == 1 ]] && folder_windows=(--on "フォルダ内ファイル一覧" leave --on "ファイル情報取得中" leave)
run_batch mixed.lst mixed.log 240 "${folder_windows[@]}"
[[ $code -eq 0 ]] || fail "the run exited with $code, not 0"
expect_boxes # none

# The log: start, every file's start and end (the workbook's settings line between), end; twice over.
pass=(
    "ファイル印刷開始　　：$win_dir\\$doc" "ファイル印刷正常終了：$win_dir\\$doc"
    "ファイル印刷開始　　：$win_dir\\$book"
    "　印刷ログ　：file=$win_dir\\$book, Pages=, SheetRange=シート選択, Sheets=Sales,Costs, Sepjob=Yes , "
    "ファイル印刷正常終了：$win_dir\\$book"
    "ファイル印刷開始　　：$win_dir\\$slides" "ファイル印刷正常終了：$win_dir\\$slides"
    "ファイル印刷開始　　：$win_dir\\$drawing" "ファイル印刷正常終了：$win_dir\\$drawing"
)
if [[ "$folder_entry" == 1 ]]; then
    pass+=(
        "ファイル印刷開始　　：$win_dir\\資料\\$inner_doc" "ファイル印刷正常終了：$win_dir\\資料\\$inner_doc"
        "ファイル印刷開始　　：$win_dir\\資料\\$inner_slides" "ファイル印刷正常終了：$win_dir\\資料\\$inner_slides"
    )
fi
expect_log "ファイルリスト印刷開始：$win_dir\\mixed.lst" "${pass[@]}" "${pass[@]}" \
    "ファイルリスト印刷終了：$win_dir\\mixed.lst"

# The stand-ins' print jobs, in list order, twice.
jobs_once=(
    "Word print \"$doc - tarvoline-word\" to \"PDF\" pages page 1, page 2, page 4"
    "Excel print \"$book Sales - tarvoline-excel\" to \"PDF\" pages sheet Sales"
    "Excel print \"$book Costs - tarvoline-excel\" to \"PDF\" pages sheet Costs"
    "PowerPoint print \"$slides - tarvoline-powerpoint\" to \"PDF\" pages slide 2, slide 3, slide 5"
    "Visio print \"$drawing - tarvoline-visio\" to \"PDF\" pages page 2, page 3"
)
if [[ "$folder_entry" == 1 ]]; then
    jobs_once+=(
        "Word print \"$inner_doc - tarvoline-word\" to \"PDF\" pages page 1, page 2"
        "PowerPoint print \"$inner_slides - tarvoline-powerpoint\" to \"PDF\" pages slide 1, slide 2, slide 3"
    )
fi
expected_jobs=$(printf '%s\n' "${jobs_once[@]}" "${jobs_once[@]}")
actual_jobs=$(journal | grep ' print "' | sed 's/: printed [0-9]*$//')
[[ "$actual_jobs" == "$expected_jobs" ]] || fail "the print jobs are not as expected:
--- expected
$expected_jobs
--- actual
$actual_jobs"
journal | grep ' print "' | grep -qv ': printed [0-9]*$' && fail "a job was not printed"
journal | grep -qF "$skipped" && fail "the unchecked entry reached an application"

# The calls that carry each entry's settings, as the handlers make them.
for call in \
    "Word.document method PrintOut(VT_BOOL 0, VT_ERROR 0x80020004, VT_I4 4, VT_ERROR 0x80020004, VT_ERROR 0x80020004, VT_ERROR 0x80020004, VT_I4 0, VT_I4 1, VT_BSTR \"1-2,4\")" \
    "Excel.document get Sheets(VT_ARRAY|VT_VARIANT [0..1] {VT_BSTR \"Sales\", VT_BSTR \"Costs\"})" \
    "Excel.sheet[Sales] method PrintOut(VT_I4 1, VT_I4 9999, VT_ERROR 0x80020004, VT_ERROR 0x80020004, VT_BSTR \"PDF\")" \
    "PowerPoint.ranges method Add(VT_I4 2, VT_I4 3)" \
    "PowerPoint.ranges method Add(VT_I4 5, VT_I4 5)" \
    "Visio.document method PrintOut(VT_I4 1, VT_I4 2, VT_I4 3, VT_ERROR 0x80020004, VT_BSTR \"PDF\")" \
    "Visio.application put AlertResponse(DISPID_PROPERTYPUT=VT_I1 7)"; do
    [[ $(journal | grep -cxF "$call") -ge 2 ]] || fail "not twice in the journal: $call"
done

# The drawing's refused print request was retried after its pause, without a message.
[[ $(journal | grep -cxF "Visio.document fails PrintOut: プリンターが応答しません") -eq 2 ]] ||
    fail "the drawing's print request did not fail once per copy"
[[ $(journal | grep -c '^Visio.document method PrintOut(') -eq 4 ]] || fail "the failed print request was not tried again"

# What came out of the queue: each job twice, with its pages.
check_pdfs() { # title pages
    wait_for_pdfs "$1 - " 2 60
    local pdf
    for pdf in $(pdfs_titled "$1 - "); do
        [[ $(pdf_pages "$pdf") == "$2" ]] || fail "$(basename "$pdf") has $(pdf_pages "$pdf") pages, not $2"
    done
}
check_pdfs "$doc" 3
check_pdfs "$book Sales" 1
check_pdfs "$book Costs" 1
check_pdfs "$slides" 3
check_pdfs "$drawing" 2
if [[ "$folder_entry" == 1 ]]; then
    check_pdfs "$inner_doc" 2
    check_pdfs "$inner_slides" 3
fi
shot pdfs
scenario_end
