#!/usr/bin/env bash
# Runs tarvoline-list on small fixtures and compares its output, its exit codes and the files it writes.
# usage: tarvoline_list_test.sh native|wine TOOL WORKDIR
# "wine" runs tarvoline-list.exe under Wine (the caller sets up the prefix) and gives it Windows paths.
set -uo pipefail
mode=$1
tool=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
failures=0

# Runs the tool; sets out, err and rc.
run() {
    if [[ $mode == wine ]]; then
        out=$(timeout 120 wine "$tool" "$@" 2>"$work/stderr" </dev/null)
    else
        out=$(timeout 60 "$tool" "$@" 2>"$work/stderr" </dev/null)
    fi
    rc=$?
    err=$(cat "$work/stderr")
}

pass() { echo "ok: $1"; }
fail() {
    echo "FAIL: $1"
    failures=$((failures + 1))
}
expect_rc() { if [[ $rc == "$2" ]]; then pass "$1 exits $2"; else fail "$1 exits $rc, not $2; stderr: $err"; fi; }
expect_eq() {
    if [[ "$3" == "$2" ]]; then pass "$1"; else
        fail "$1"
        diff <(printf '%s\n' "$2") <(printf '%s\n' "$3")
    fi
}
expect_contains() { if [[ "$3" == *"$2"* ]]; then pass "$1"; else fail "$1: no \"$2\" in: $3"; fi; }

# The path as the tool sees it, and as JSON writes it.
tool_path() { if [[ $mode == wine ]]; then winepath -w "$1" 2>/dev/null; else printf '%s' "$1"; fi; }
json() { printf '%s' "$1" | sed 's/\\/\\\\/g; s/"/\\"/g'; }
# A UTF-8 here-document as a code page 932 file with CR LF line ends.
cp932_file() { sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$1"; }
as_utf8() { iconv -f CP932 -t UTF-8 "$1" | tr -d '\r'; }

if [[ $mode == wine ]]; then sep='\'; else sep='/'; fi
docs="$work/docs"
mkdir -p "$docs/folder"
touch "$docs/a.docx" "$docs/報告.pdf" "$docs/note.txt"
a=$(tool_path "$docs/a.docx")
report=$(tool_path "$docs/報告.pdf")
folder="$(tool_path "$docs/folder")$sep"
note=$(tool_path "$docs/note.txt")
missing=$(tool_path "$docs/missing.doc")
{
    printf '\xef\xbb\xbf'
    printf '%s\r\n' "$a" "  $report	" "" "$folder" "$note" "$missing"
} >"$work/paths.txt"
paths_arg=$(tool_path "$work/paths.txt")

# ---- from-text, then show ----
run from-text "$paths_arg" "$(tool_path "$work/out.lst")" --copies 3
expect_rc "from-text" 0
expect_contains "refused lines are reported" "$note"$'\r\n'"$missing" "$err"
expect_eq "the list file" "[COMMON]
COMMENT=Tarvoline.exe
VERSION=1
VERSION_FULL=1.0.5
PRT_BUSUU=3
[FILE1]
FILE=$a
[FILE2]
FILE=$report
[FILE3]
FILE=$folder" "$(as_utf8 "$work/out.lst")"
[[ $(head -c 9 "$work/out.lst") == "[COMMON]"$'\r' ]] && pass "CR LF line ends" || fail "CR LF line ends"

if [[ $mode == wine ]]; then folder_entry=true; else folder_entry=false; fi
entry() { # path folder checked pageRange password excelRange sheets separateJobs
    printf '{"path": "%s", "folder": %s, "checked": %s, "pageRange": "%s", "password": "%s", "excelRange": %s, "sheets": [%s], "separateJobs": %s}' \
        "$(json "$1")" "$2" "$3" "$4" "$5" "$6" "$7" "$8"
}
run show "$(tool_path "$work/out.lst")"
expect_rc "show" 0
expect_eq "show prints the list" "{\"copies\": \"3\", \"memo\": \"\", \"listPassword\": false}
$(entry "$a" false true "" "" 0 "" false)
$(entry "$report" false true "" "" 0 "" false)
$(entry "$folder" $folder_entry true "" "" 0 "" false)" "$out"

# ---- the list password ----
run from-text "$paths_arg" "$(tool_path "$work/protected.lst")" --password 'パス語'
expect_rc "from-text with a password" 0
[[ $(grep -c 'LIST_PASSWD=[0-9A-F]*' "$work/protected.lst") == 1 ]] && pass "check value written" || fail "check value written"
run show "$(tool_path "$work/protected.lst")"
expect_rc "show without the password" 2
expect_contains "the missing password is named" "--password" "$err"
run show "$(tool_path "$work/protected.lst")" --password wrong
expect_rc "show with a wrong password" 2
expect_contains "a wrong password is reported" "パスワードが一致しないか又は復号でエラーが発生しました" "$err"
[[ -z $out ]] && pass "nothing printed for a refused list" || fail "nothing printed for a refused list: $out"
run show "$(tool_path "$work/protected.lst")" --password 'パス語'
expect_rc "show with the password" 0
expect_contains "the list is protected" '{"copies": "1", "memo": "", "listPassword": true}' "$out"
expect_contains "entries are deciphered" "$(entry "$a" false true "" "" 0 "" false)" "$out"

# ---- a file written by hand: section order, gaps, letter case, quotes, memo ----
cp932_file "$work/hand.lst" <<'EOF'
; made by hand
[COMMON]
PRT_BUSUU=2
[FILE1]
FILE=C:\x\one.docx
START=1-3,5
[FILE3]
FILE=C:\x\three.xlsx
PRINT=no
EXCELRANGE=シート選択
EXCELSHEETS0=売上
EXCELSHEETS2=skipped
EXCELSEPJOB=YES
[file9]
FILE=C:\x\ignored.doc
[FILE2]
FILE=C:\x\two.xlsx
EXCELRANGE=文字列を含む
EXCELRANGECOND=2024
EXCELSEPJOB=yes
PASSWORD="quoted pw"
[MEMO]
TEXT1=line "one"
TEXT2=
EOF
run show "$(tool_path "$work/hand.lst")"
expect_rc "show a hand-made list" 0
expect_eq "entries in section order, with their settings" '{"copies": "2", "memo": "\"line \"\"one\"\"\"\r\n", "listPassword": false}
{"path": "C:\\x\\one.docx", "folder": false, "checked": true, "pageRange": "1-3,5", "password": "", "excelRange": 0, "sheets": [], "separateJobs": false}
{"path": "C:\\x\\three.xlsx", "folder": false, "checked": false, "pageRange": "", "password": "", "excelRange": 3, "sheets": ["売上"], "separateJobs": true}
{"path": "C:\\x\\two.xlsx", "folder": false, "checked": true, "pageRange": "", "password": "quoted pw", "excelRange": 4, "sheets": ["2024"], "separateJobs": false}' "$out"
expect_contains "missing documents are reported" "ファイル情報の取得に失敗しました。" "$err"

# ---- a protected file enciphered independently (sha1sum and OpenSSL's RC4) ----
cp932_file "$work/known.lst" <<'EOF'
[COMMON]
COMMENT=Tarvoline.exe
VERSION=1
VERSION_FULL=1.0.5
LIST_PASSWD=84E1CD15FB00FC8FF0CA
PRT_BUSUU=35
[FILE1]
FILE=44AB120917EC0E88E6536F3509F58C94A8
PRINT=49DE
[MEMO]
TEXT1=8410CDCF
EOF
run show "$(tool_path "$work/known.lst")" --password 'パスワード'
expect_rc "show a list enciphered elsewhere" 0
expect_eq "its values deciphered" '{"copies": "2", "memo": "メモ", "listPassword": true}
{"path": "C:\\Docs\\報告.docx", "folder": false, "checked": false, "pageRange": "", "password": "", "excelRange": 0, "sheets": [], "separateJobs": false}' "$out"

# ---- failures ----
run show "$(tool_path "$work/nowhere.lst")"
expect_rc "show a missing file" 1
expect_contains "the missing file is named" "ファイルが見つかりません。" "$err"
printf '\xef\xbb\xbf%s\r\n' "$missing" >"$work/nothing.txt"
run from-text "$(tool_path "$work/nothing.txt")" "$(tool_path "$work/nothing.lst")"
expect_rc "from-text without a usable line" 1
[[ ! -e "$work/nothing.lst" ]] && pass "no list written" || fail "no list written"
run from-text "$paths_arg" "$(tool_path "$work/x.lst")" --copies 0
expect_rc "copies below 1" 1
run frobnicate
expect_rc "an unknown command" 1
expect_contains "usage is shown" "usage:" "$err"

echo "$failures failed"
((failures == 0))
