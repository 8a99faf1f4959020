# Sourced by the real-window tests: named checks, real keys, and the result line read back the way
# a person would take it (selected in the result box and copied to the clipboard).

failures=0

check() { # name expected actual
    if [ "$2" == "$3" ]; then
        echo "PASS: $1"
    else
        echo "FAIL: $1"
        echo "   expected: $2"
        echo "   actual:   $3"
        failures=$((failures + 1))
    fi
}

keys() { xdotool key --delay 40 "$@"; sleep 0.2; }
type_text() { xdotool type --delay 40 "$1"; sleep 0.2; }

# Copies the result box's line with the keyboard and reads it back; focus must be on the box.
copied_line() {
    keys ctrl+a ctrl+c
    xclip -o -selection clipboard 2>/dev/null || true
}

# Waits for the error report, titled Kandorex by the title rule, and closes it with Return, then
# hands the focus back to the main window `$1` as a window manager would (there is none here).
# Prints yes when the report came, no when it did not.
close_report() {
    local report
    report=$(timeout 10 xdotool search --sync --limit 1 --name '^Kandorex$' || true)
    if [ -n "$report" ]; then
        xdotool windowfocus --sync "$report" 2>/dev/null || true
        keys Return
        sleep 0.3
    fi
    xdotool windowfocus --sync "$1"
    sleep 0.2
    [ -n "$report" ] && echo yes || echo no
}

# Ends the script with the tally; prints the program's log when something failed.
finish_checks() { # name log-file
    if [ "$failures" -ne 0 ]; then
        echo "$1: $failures failed"
        cat "$2"
        exit 1
    fi
    echo "$1: all checks passed"
}
