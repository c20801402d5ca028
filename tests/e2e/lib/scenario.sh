# Sourced by the print scenarios (tests/e2e/print_*.sh): one batch run of Tarvoline.exe under Wine against
# our stand-ins for the document applications and the print-to program, with the driver answering its
# boxes, and the checks of what came out: exit code, print log, the stand-ins' journals and the PDFs of the
# CUPS queue "PDF".
#
# A scenario calls scenario_begin NAME, writes its documents and list into $unix_dir (named on Windows as
# $win_dir), calls run_batch, checks, and ends with scenario_end. Every wait has its own timeout.
# E2E_SHOTS=1 takes a screenshot of every box the driver meets and at every shot call.

# shellcheck source=scripts/wine-env
source "$root/scripts/wine-env"
: "${DISPLAY:?a scenario needs a DISPLAY}"

bin="$build/bin"
printer=PDF

fail() {
    echo "$scenario: $*" >&2
    if [[ -n "${unix_dir:-}" ]]; then
        for file in boxes.txt journal.txt printto.txt run.log; do
            [[ -f "$unix_dir/$file" ]] && { echo "--- $file" >&2; cat "$unix_dir/$file" >&2; }
        done
    fi
    exit 1
}

# The folder cups-pdf writes into: "Out" of its configuration, ${HOME} being the printing user's home.
cups_pdf_folder() {
    local home folder
    home=$(getent passwd "$(id -u)" | cut -d: -f6)
    folder=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | head -n 1)
    folder=${folder:-$home/PDF}
    echo "${folder//\$\{HOME\}/$home}"
}

scenario_begin() {
    scenario=$1
    token="e2e$$$RANDOM"
    shots="$build/e2e"
    mkdir -p "$shots"
    rm -f "$shots/$scenario"-*.png
    unix_dir="$WINEPREFIX/drive_c/tarvoline-$scenario"
    win_dir="C:\\tarvoline-$scenario"
    rm -rf "$unix_dir"
    mkdir -p "$unix_dir"
    pdf_folder=$(cups_pdf_folder)
    shot_count=0
    export TARVOLINE_OFFICE_JOURNAL="$win_dir\\journal.txt"
    export TARVOLINE_PRINTTO_JOURNAL="$win_dir\\printto.txt"
    # Registered only while a scenario runs: elsewhere the prefix has no "Word.Application", as a machine
    # without Office (automation_win32_test relies on that).
    trap scenario_cleanup EXIT
    timeout 60 wine "$bin/tarvoline-office.exe" --register </dev/null >/dev/null 2>&1 || fail "the Office stand-in did not register"
    timeout 60 wine "$bin/tarvoline-printto.exe" --register </dev/null >/dev/null 2>&1 || fail "the print-to stand-in did not register"
    # The queue by name, whatever the system's default printer is; no About window.
    local main='HKCU\Software\Quendral\Tarvoline\V1\MAIN'
    timeout 60 wine reg add "$main" /v PrinterSelected /t REG_SZ /d "$printer" /f </dev/null >/dev/null 2>&1 &&
        timeout 60 wine reg add "$main" /v DontShowAboutOnStartup /t REG_DWORD /d 1 /f </dev/null >/dev/null 2>&1 ||
        fail "could not write the settings"
}

# However the scenario ends: the stand-in unregistered, its PDFs removed (E2E_KEEP_PDFS=1 keeps them), and
# after a failure every Wine process of the prefix ended, so nothing it left running meets the next one.
scenario_cleanup() {
    local status=$? pdf
    timeout 60 wine "$bin/tarvoline-office.exe" --unregister </dev/null >/dev/null 2>&1 || true
    if [[ "${E2E_KEEP_PDFS:-0}" != 1 ]]; then
        for pdf in "$pdf_folder"/*.pdf; do
            [[ -f "$pdf" ]] || continue
            pdfinfo "$pdf" 2>/dev/null | grep -q "^Title:.*$token" && rm -f "$pdf"
        done
    fi
    if ((status != 0)); then timeout 30 wineserver -k >/dev/null 2>&1 || true; fi
}

shot() { # name
    [[ "${E2E_SHOTS:-0}" == 1 ]] || return 0
    shot_count=$((shot_count + 1))
    import -window root "$shots/$scenario-$(printf '%02d' "$shot_count")-$1.png" 2>/dev/null || true
}

# With E2E_SHOTS=1, in the background: a screenshot once a window titled like the pattern shows.
shot_on_window() { # pattern name
    [[ "${E2E_SHOTS:-0}" == 1 ]] || return 0
    (
        for _ in $(seq 600); do
            if xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then
                sleep 0.3
                import -window root "$shots/$scenario-$2.png" 2>/dev/null || true
                exit 0
            fi
            sleep 0.2
        done
    ) &
}

# A list file as the program writes it: code page 932, CR LF. Arguments are its lines, in UTF-8.
write_list() { # file lines...
    local file=$1
    shift
    printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 >"$file"
}

# Screenshots of the boxes the driver reports as seen, and of the main window before a --click-main, while
# it holds them.
watch_boxes() {
    local seen=$1 handled=0 lines
    while sleep 0.1; do
        lines=$({ wc -l <"$seen"; } 2>/dev/null || echo 0)
        while ((handled < lines)); do
            handled=$((handled + 1))
            if sed -n "${handled}p" "$seen" | grep -q $'\tclick-main'; then shot "click$handled"; else shot "box$handled"; fi
        done
    done
}

# The final boxes of a run that leaves the window open (13083, 13082): answered, and the window closed as a
# user would, so such a run ends at once whether or not the scenario expected it.
finished="印刷が終了しました。一部のファイルでエラーが発生しました。"
aborted="印刷が中止されました。"

# run_batch LIST LOG SECONDS [--on TEXT ACTIONS]...: Tarvoline.exe /B $win_dir\LIST $win_dir\LOG with the
# driver beside it; sets $code to the exit code (124 when it had to be stopped) and $body to the log's lines
# without byte-order mark and CR.
run_batch() {
    local list=$1 log=$2 seconds=$3
    shift 3
    rm -f "$unix_dir/$log" "$unix_dir/boxes.txt" "$unix_dir/seen.txt"
    local hold=500
    [[ "${E2E_SHOTS:-0}" == 1 ]] && hold=1500
    timeout $((seconds + 15)) wine "$bin/tarvoline-e2e-driver.exe" --log "$win_dir\\boxes.txt" \
        --seen "$win_dir\\seen.txt" --seconds "$((seconds + 10))" --hold "$hold" "$@" \
        --on "$finished" "press:OK;close-main" --on "$aborted" "press:OK;close-main" </dev/null >/dev/null 2>&1 &
    local driver=$!
    local watcher=""
    if [[ "${E2E_SHOTS:-0}" == 1 ]]; then
        watch_boxes "$unix_dir/seen.txt" &
        watcher=$!
    fi
    code=0
    timeout "$seconds" wine "$bin/Tarvoline.exe" /B "$win_dir\\$list" "$win_dir\\$log" </dev/null \
        >"$unix_dir/run.log" 2>&1 || code=$?
    # The driver ends by itself a few seconds after the program's last window.
    local waited=0
    while kill -0 "$driver" 2>/dev/null && ((waited < 100)); do
        sleep 0.1
        waited=$((waited + 1))
    done
    kill "$driver" 2>/dev/null || true
    [[ -n "$watcher" ]] && kill "$watcher" 2>/dev/null
    body=""
    [[ -f "$unix_dir/$log" ]] && body=$(tail -c +4 "$unix_dir/$log" | tr -d '\r')
    [[ "$code" != 124 ]] || fail "Tarvoline.exe still ran after $seconds s"
}

# The log's lines after their time stamps ("2026/12/10 8:55:53 "), in order.
log_texts() {
    sed 's/^[0-9]*\/[0-9]*\/[0-9]* [0-9]*:[0-9]*:[0-9]* //' <<<"$body"
}

expect_log() { # exact texts of the log's lines, all of them, in order
    local expected actual
    expected=$(printf '%s\n' "$@")
    actual=$(log_texts)
    [[ "$actual" == "$expected" ]] || fail "the log is not as expected:
--- expected
$expected
--- actual
$actual"
}

# The boxes the driver answered, "CAPTION<TAB>TEXT", in order; the windows a rule told it to leave alone
# are only watched, not counted, and its --click-main clicks are not boxes.
box_texts() {
    [[ -f "$unix_dir/boxes.txt" ]] && awk -F '\t' '$3 != "leave" && $3 !~ /^click-main:/ { print $1 "\t" $2 }' "$unix_dir/boxes.txt"
}

# The driver's --click-main clicks, "MAIN CAPTION<TAB>BUTTON CAPTION<TAB>OUTCOME", in order.
main_clicks() {
    [[ -f "$unix_dir/boxes.txt" ]] && awk -F '\t' '$3 ~ /^click-main:/ { print $1 "\t" $2 "\t" $4 }' "$unix_dir/boxes.txt"
}

expect_boxes() { # exact "CAPTION<TAB>TEXT" of every box, in order
    local expected actual
    expected=$(printf '%s\n' "$@")
    actual=$(box_texts || true)
    [[ "$actual" == "$expected" ]] || fail "the boxes are not as expected:
--- expected
$expected
--- actual
$actual"
}

# The journal lines of the Office stand-in that are calls or print jobs, in order.
journal() {
    [[ -f "$unix_dir/journal.txt" ]] && tr -d '\r' <"$unix_dir/journal.txt"
}

# PDFs of cups-pdf whose title (the job's document name) begins with the text.
pdfs_titled() { # prefix
    local pdf title
    for pdf in "$pdf_folder"/*.pdf; do
        [[ -f "$pdf" ]] || continue
        title=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Title:[[:space:]]*//p')
        [[ "$title" == "$1"* ]] && echo "$pdf"
    done
    return 0
}

# Waits until COUNT PDFs titled with the prefix are there (cups-pdf writes them a moment after the job).
wait_for_pdfs() { # prefix count seconds
    local found=0
    for _ in $(seq $(($3 * 2))); do
        found=$(pdfs_titled "$1" | wc -l)
        ((found >= $2)) && break
        sleep 0.5
    done
    ((found == $2)) || fail "$found PDFs titled \"$1\", expected $2: $(pdfs_titled "$1" | xargs -r -n1 basename)"
}

pdf_pages() { # file
    pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages:[[:space:]]*//p'
}

scenario_end() {
    echo "$scenario: ok${E2E_SHOTS:+ (screenshots in $shots)}"
}
