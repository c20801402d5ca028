# shellcheck shell=bash
# One window of a preview program: start it, wait for its caption, screenshot the screen, close it from
# the keyboard as a user would, and check the exit code; wait_for_window sets window. The caller sets exe (the preview program), shots
# (the screenshot folder), tag (the file name prefix and the name in messages) and defines fail.

# Sets window to the first visible X window whose title matches the pattern, waiting up to 30 s; fails when
# the process app ends first or nothing comes.
wait_for_window() {
    local pattern=$1 app=$2
    window=""
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
        [[ -n "$window" ]] && return 0
        kill -0 "$app" 2>/dev/null || fail "the program ended before showing a window titled $pattern"
        sleep 0.1
    done
    kill "$app" 2>/dev/null
    fail "no window titled $pattern within 30 s"
}

# name, caption, key that closes it, expected exit code
check() {
    local name=$1 caption=$2 key=$3 expected=$4
    rm -f "$shots/$tag-$name.png"
    timeout 60 wine "$exe" "$name" </dev/null >"$shots/$tag-$name-wine.log" 2>&1 &
    local app=$!
    wait_for_window "^$caption\$" "$app"
    sleep 1 # let it paint
    import -window root "$shots/$tag-$name.png"
    # The key goes to the focused window, as a user's would.
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key "$key"
    local code=0
    wait "$app" || code=$?
    [[ "$code" == "$expected" ]] || fail "$name closed with $code, expected $expected"
    echo "$tag: $name ok ($shots/$tag-$name.png)"
}
