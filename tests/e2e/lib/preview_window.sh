# shellcheck shell=bash
# One window of a preview program: start it, wait for its caption, screenshot the screen, close it from
# the keyboard as a user would, and check the exit code. The caller sets exe (the preview program), shots
# (the screenshot folder), tag (the file name prefix and the name in messages) and defines fail.

# name, caption, key that closes it, expected exit code
check() {
    local name=$1 caption=$2 key=$3 expected=$4
    rm -f "$shots/$tag-$name.png"
    timeout 60 wine "$exe" "$name" </dev/null >"$shots/$tag-$name-wine.log" 2>&1 &
    local app=$! window=""
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1 || true)
        [[ -n "$window" ]] && break
        kill -0 "$app" 2>/dev/null || fail "$name ended before showing its window"
        sleep 0.1
    done
    [[ -n "$window" ]] || { kill "$app" 2>/dev/null; fail "no window titled $caption within 30 s"; }
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
