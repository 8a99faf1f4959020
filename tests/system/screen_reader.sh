#!/usr/bin/env bash
# The built program under a real screen reader: Debian's Orca over the accessibility bus in Xvfb,
# its speech going through speech-dispatcher into a file instead of a sound card. Real key events
# walk the window as a blind user would, and each step checks what Orca said: the boxes by name,
# a new result line after a typed count, a refused count heard back as 2, word by word through the
# result box, and the error report. Set KANDOREX_SPEECH_LOG=FILE to keep everything Orca said.
set -euo pipefail
program=${1:?usage: screen_reader.sh PATH/TO/Kandorex}

for tool in Xvfb xdotool xclip orca speech-dispatcher; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing; the test command installs it (scripts/test.sh)" >&2
        exit 1
    fi
done

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../scripts/xvfb.sh
. "$here/../../scripts/xvfb.sh"
# shellcheck source=../../scripts/a11y-session.sh
. "$here/../../scripts/a11y-session.sh"

x_session_cleanup() {
    # Orca writes its debug log out as it stops: give it a moment.
    if [ -n "${orca_pid:-}" ]; then
        kill "$orca_pid" 2>/dev/null
        retry_for 50 eval '! kill -0 "$orca_pid"' || kill -9 "$orca_pid" 2>/dev/null
    fi
    # speech-dispatcher was started by Orca's speech client and outlives it by a few seconds.
    local pidfile="$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid"
    [ -s "$pidfile" ] && kill "$(cat "$pidfile")" 2>/dev/null
    if [ -n "${KANDOREX_SPEECH_LOG:-}" ]; then
        cp "$WORK/speech-dispatcher.txt" "$KANDOREX_SPEECH_LOG" 2>/dev/null
        cp "$WORK/orca-debug.log" "$KANDOREX_SPEECH_LOG.orca-debug.log" 2>/dev/null
    fi
}

start_x_session
start_accessibility_bus

# speech-dispatcher speaks through its generic module, whose "synthesiser" appends each message
# to a file, and plays its sounds into libao's null driver; its set-up is found through
# $XDG_CONFIG_HOME and $HOME, so nothing of the machine's own is used.
speechd_conf="$XDG_CONFIG_HOME/speech-dispatcher"
mkdir -p "$speechd_conf/modules"
echo "default_driver=null" >"$HOME/.libao"
cat >"$speechd_conf/speechd.conf" <<EOF
LogLevel 3
LogDir "$WORK"
AudioOutputMethod "libao"
AddModule "file" "sd_generic" "file.conf"
DefaultModule "file"
DefaultLanguage "en"
EOF
cat >"$speechd_conf/modules/file.conf" <<EOF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >>$WORK/speech-dispatcher.txt"
GenericLanguage "en" "en" "utf-8"
GenericLanguage "en-US" "en" "utf-8"
GenericLanguage "en-us" "en" "utf-8"
GenericLanguage "c" "en" "utf-8"
AddVoice "en" "MALE1" "file"
EOF

# Orca starts with its defaults (no first-run questions are asked without --setup) but for the
# laptop key layout: on the desktop one Insert is Orca's own key, and Shift+Insert, the paste of
# the count boxes (which refuse Ctrl+V as a typed control character), would never reach the
# window. Its debug log is kept with the speech under KANDOREX_SPEECH_LOG.
mkdir -p "$XDG_DATA_HOME/orca"
laptop='"keyboardLayout": 2, "orcaModifierKeys": ["Caps_Lock", "Shift_Lock"]'
cat >"$XDG_DATA_HOME/orca/user-settings.conf" <<EOF
{"general": {$laptop}, "pronunciations": {}, "keybindings": {},
 "profiles": {"default": {"profile": ["Default", "default"], $laptop}}}
EOF
# Debian's orca, run so that its debug log is written a line at a time rather than in blocks.
launcher='import builtins, runpy, sys
opened = builtins.open
def line_buffered(name, mode="r", *rest, **options):
    if name == sys.argv[1][len("--debug-file="):] and "w" in mode:
        return opened(name, mode, 1, **options)
    return opened(name, mode, *rest, **options)
builtins.open = line_buffered
sys.argv[0] = "orca"
runpy.run_path("/usr/bin/orca", run_name="__main__")'
/usr/bin/python3 -c "$launcher" --debug-file="$WORK/orca-debug.log" >"$WORK/orca.log" 2>&1 &
orca_pid=$!
disown "$orca_pid"

failures=0
fail() {
    echo "FAIL: $1"
    failures=$((failures + 1))
}
# Every message speech-dispatcher has spoken so far, one a line.
spoken() { cat "$WORK/speech-dispatcher.txt" 2>/dev/null; }
spoken_count() { spoken | wc -l; }
# What was said after utterance number $1.
said_since() { spoken | tail -n +"$(($1 + 1))"; }
# Waits up to 8 s for Orca to say a line holding $2 after utterance number $1; prints the step.
heard() { # mark expected name
    local mark=$1 expected=$2 name=$3 _
    for _ in $(seq 80); do
        if said_since "$mark" | grep -qF -- "$expected"; then
            echo "PASS: $name"
            said_since "$mark" | sed 's/^/    said: /'
            return 0
        fi
        sleep 0.1
    done
    fail "$name: Orca never said \"$expected\""
    said_since "$mark" | sed 's/^/    said: /'
    return 0
}
# Waits up to 8 s for Orca to say at least two pieces of $3 (not the whole of it) after its
# utterance number $1 (speech-dispatcher) or $2 (Orca's log): what moving through it by word
# reads. Both count: speech-dispatcher 0.12's generic module garbles messages sent as single
# characters, which Orca 48 uses for the character at the caret.
pieces_of() { # text
    sed 's/ *$//' | while IFS= read -r said; do
        if [ -n "$said" ] && [ "$said" != "$1" ] && [[ "$1" == *"$said"* ]]; then
            echo "$said"
        fi
    done | wc -l
}
heard_pieces() { # mark orca-mark text name
    local mark=$1 orca_mark=$2 text=$3 name=$4 spoken_pieces=0 sent_pieces=0 _
    for _ in $(seq 80); do
        spoken_pieces=$(said_since "$mark" | pieces_of "$text")
        sent_pieces=$(orca_said | tail -n +"$((orca_mark + 1))" | pieces_of "$text")
        [ "$spoken_pieces" -ge 2 ] || [ "$sent_pieces" -ge 2 ] && break
        sleep 0.1
    done
    if [ "$spoken_pieces" -ge 2 ] || [ "$sent_pieces" -ge 2 ]; then
        echo "PASS: $name"
    else
        fail "$name: Orca read $spoken_pieces pieces of the line ($sent_pieces sent), not 2 or more"
    fi
    said_since "$mark" | sed 's/^/    said: /'
}
# Waits up to 8 s for Orca to say $2 after utterance number $1, and $3 in the same utterance or
# the next: a box's name and what is read with it when it gets the focus.
heard_with() { # mark name expected step
    local mark=$1 name=$2 expected=$3 step=$4 _
    for _ in $(seq 80); do
        if said_since "$mark" | grep -A1 -F -- "$name" | grep -qF -- "$expected"; then
            echo "PASS: $step"
            said_since "$mark" | sed 's/^/    said: /'
            return 0
        fi
        sleep 0.1
    done
    fail "$step: Orca never said \"$expected\" with \"$name\""
    said_since "$mark" | sed 's/^/    said: /'
}
# Everything Orca has sent to speech, from its debug log (written out line by line).
orca_said() {
    sed -n "s/^.*SPEECH OUTPUT: '\(.*\)' *{.*$/\1/p; s/^.*SPEECH OUTPUT: '\(.*\)'$/\1/p" \
        "$WORK/orca-debug.log" 2>/dev/null
}
# As heard, but also passes when Orca sent $3 to speech after its utterance number $2.
heard_or_sent() { # mark orca-mark expected name
    local mark=$1 orca_mark=$2 expected=$3 name=$4 _
    for _ in $(seq 80); do
        if said_since "$mark" | grep -qF -- "$expected"; then
            echo "PASS: $name"
            said_since "$mark" | sed 's/^/    said: /'
            return 0
        fi
        if orca_said | tail -n +"$((orca_mark + 1))" | grep -qF -- "$expected"; then
            echo "PASS: $name (sent to speech, cut short by a key event)"
            said_since "$mark" | sed 's/^/    said: /'
            return 0
        fi
        sleep 0.1
    done
    fail "$name: Orca never said \"$expected\""
    said_since "$mark" | sed 's/^/    said: /'
}
keys() { xdotool key --delay 150 "$@"; }

# Orca is listening once it has said so.
if ! retry_for 300 grep -q "Screen reader on" "$WORK/speech-dispatcher.txt"; then
    # Seen on Debian 13 as a user other than root: speech-dispatcher 0.12 loads no output module
    # at all ("Can't initialize audio in output module"), so nothing can be heard, Orca's or not.
    if grep -q "No speech output modules were loaded" "$WORK/speech-dispatcher.log" 2>/dev/null; then
        echo "SKIPPED LOUDLY: speech-dispatcher loaded no output module on this machine, so no" \
            "screen reader can speak here; its log follows" >&2
        cat "$WORK/speech-dispatcher.log" >&2
        exit 77
    fi
    echo "FAIL: Orca did not start, or its speech did not reach speech-dispatcher" >&2
    cat "$WORK/speech-dispatcher.log" "$WORK"/file.log "$WORK"/dummy.log >&2 2>/dev/null || true
    cat "$WORK/orca.log" >&2
    tail -n 30 "$WORK/orca-debug.log" >&2 2>/dev/null || true
    exit 1
fi
if ! kill -0 "$orca_pid" 2>/dev/null; then
    echo "FAIL: Orca exited at start" >&2
    cat "$WORK/orca.log" >&2
    exit 1
fi

mark=$(spoken_count)
"$program" >"$WORK/program.log" 2>&1 &
program_pid=$!
X_SESSION_PIDS+=("$program_pid")
window=$(wait_for_window)
[ -n "$window" ] || { echo "FAIL: no window appeared" >&2; cat "$WORK/program.log" >&2; exit 1; }
xdotool windowfocus --sync "$window"
heard "$mark" "横向台数" "start: focus in the across box"

# Tab through the boxes: down, result (its whole line), model, and back across.
mark=$(spoken_count)
keys Tab
heard "$mark" "纵向台数" "Tab: the down box"
mark=$(spoken_count)
keys Tab
heard_with "$mark" "计算结果" "总宽度4.06米×总高度3.05米=总面积12.39平方米" \
    "Tab: the result box is read by name with its whole line"
mark=$(spoken_count)
keys Tab
heard "$mark" "选择拼接单元" "Tab: the model box"
mark=$(spoken_count)
keys Tab
heard "$mark" "横向台数" "Tab: back to the across box"

# A typed count is answered with the new line, focus staying in the box.
keys Home shift+End
mark=$(spoken_count)
keys 5
heard "$mark" "总宽度10.16米×总高度3.05米=总面积30.97平方米" "typed 5 across: the new line"
# 17 is refused and goes back to 2: the box's new text and the line are heard.
keys Home shift+End
mark=$(spoken_count)
keys 1 7
heard "$mark" "横向台数 2" "typed 17 across: heard back as 2"
heard "$mark" "总宽度4.06米×总高度3.05米=总面积12.39平方米" "typed 17 across: the line for 2"

# Word by word through the result box, both ways. The caret moves as the line edit moves it;
# Orca reads the word at the caret, then each stretch the caret passes: pieces of the line.
line="总宽度4.06米×总高度3.05米=总面积12.39平方米"
keys Tab Tab
mark=$(spoken_count)
orca_mark=$(orca_said | wc -l)
keys Home ctrl+Right ctrl+Right ctrl+Right ctrl+Right
heard_pieces "$mark" "$orca_mark" "$line" "Ctrl+Right through the result box"
mark=$(spoken_count)
orca_mark=$(orca_said | wc -l)
keys End ctrl+Left ctrl+Left ctrl+Left ctrl+Left
heard_pieces "$mark" "$orca_mark" "$line" "Ctrl+Left back from the end of the result box"
mark=$(spoken_count)
keys shift+Tab shift+Tab
heard "$mark" "横向台数" "after the words, Shift+Tab back to the across box"

# A pasted bad count raises the error report, which is read out.
printf 'abc' | xclip -i -selection clipboard
keys Home shift+End
mark=$(spoken_count)
keys shift+Insert
# There is no window manager to give the report the focus: it is given as one would.
report=$(timeout 10 xdotool search --sync --limit 1 --name '^Kandorex$' || true)
if [ -n "$report" ]; then
    timeout 5 xdotool windowfocus --sync "$report" 2>/dev/null || true
    # Orca may stop speaking it at once: the toolkit holds the paste's keys until Orca has seen
    # them, and with Orca 48 they can come after the report's reading and interrupt it (the
    # report is then cut short for a listener too). What Orca sent to speech counts here.
    orca_mark=$(orca_said | wc -l)
    heard_or_sent "$mark" "$orca_mark" "'abc' is not a valid integer value." \
        "pasted abc: the error report is read"
    keys Return
else
    fail "pasted abc: no error report appeared"
fi

if ! kill -0 "$orca_pid" 2>/dev/null; then
    fail "Orca kept running to the end"
fi
if ! kill -0 "$program_pid" 2>/dev/null; then
    fail "the program kept running to the end"
fi

if [ "$failures" -ne 0 ]; then
    echo "screen reader: $failures failed"
    tail -n 20 "$WORK/program.log"
    exit 1
fi
echo "screen reader: all checks passed"
