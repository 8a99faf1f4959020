#!/usr/bin/python3
"""Asks the running program, over the accessibility bus as a screen reader would, for every text
item of every text object: each boundary kind before, at and after every offset. Each call has a
short timeout, so a program that stops answering fails the sweep instead of hanging it. Then
checks that the window still works: a typed count changes the result line, and the link's action
opens the maker's page. Prints one line per check; exits 1 if any failed."""

import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

START_LINE = "总宽度4.06米×总高度3.05米=总面积12.39平方米"
THREE_ACROSS = "总宽度6.1米×总高度3.05米=总面积18.58平方米"
MAKER_URL = "https://www.kandorex.example/"

BOUNDARIES = {
    "char": pyatspi.TEXT_BOUNDARY_CHAR,
    "word start": pyatspi.TEXT_BOUNDARY_WORD_START,
    "word end": pyatspi.TEXT_BOUNDARY_WORD_END,
    "sentence start": pyatspi.TEXT_BOUNDARY_SENTENCE_START,
    "sentence end": pyatspi.TEXT_BOUNDARY_SENTENCE_END,
    "line start": pyatspi.TEXT_BOUNDARY_LINE_START,
    "line end": pyatspi.TEXT_BOUNDARY_LINE_END,
}
GRANULARITIES = {
    "char": Atspi.TextGranularity.CHAR,
    "word": Atspi.TextGranularity.WORD,
    "sentence": Atspi.TextGranularity.SENTENCE,
    "line": Atspi.TextGranularity.LINE,
    "paragraph": Atspi.TextGranularity.PARAGRAPH,
}

failures = []


def check(name, ok, detail=""):
    print(("PASS: " if ok else "FAIL: ") + name + (f" ({detail})" if detail and not ok else ""))
    if not ok:
        failures.append(name)


def find_app(timeout_s=15):
    deadline = time.monotonic() + timeout_s
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "Kandorex" and app.childCount > 0:
                return app
        time.sleep(0.2)
    return None


def descendants(obj):
    for child in obj:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def is_timeout(error):
    message = str(error)
    return any(sign in message for sign in ("Did not receive a reply", "Timeout", "NoReply", "timed out"))


class Frozen(Exception):
    pass


def ask(call, *args):
    """One call into the program; a timeout means it stopped answering."""
    try:
        return call(*args)
    except Exception as error:  # noqa: BLE001 - GLib errors carry no finer type
        if is_timeout(error):
            raise Frozen(str(error)) from error
        raise


def range_ok(text, length, result):
    string, start, end = result
    if start == end == -1 and string == "":
        return True
    return 0 <= start <= end <= length and string == text[start:end]


def sweep(name, obj):
    """Every boundary at every offset of one text object; True if every answer was sound."""
    text_iface = obj.queryText()
    length = ask(lambda: text_iface.characterCount)
    text = ask(text_iface.getText, 0, -1)
    bad = []
    for offset in range(0, length + 1):
        for kind, boundary in BOUNDARIES.items():
            for side, call in (("before", text_iface.getTextBeforeOffset),
                               ("at", text_iface.getTextAtOffset),
                               ("after", text_iface.getTextAfterOffset)):
                result = ask(call, offset, boundary)
                if not range_ok(text, length, result):
                    bad.append(f"{side} {offset} {kind}: {result}")
                elif side == "at" and offset < length and not result[1] <= offset < result[2]:
                    bad.append(f"{side} {offset} {kind}: {result} misses the offset")
        for kind, granularity in GRANULARITIES.items():
            try:
                result = ask(Atspi.Text.get_string_at_offset, obj, offset, granularity)
            except Frozen:
                raise
            except Exception:  # noqa: BLE001 - older toolkits lack the call; nothing to check
                continue
            triple = (result.content or "", result.start_offset, result.end_offset)
            if not range_ok(text, length, triple):
                bad.append(f"string at {offset} {kind}: {triple}")
    check(f"{name}: every boundary at offsets 0..{length} answered soundly", not bad,
          "; ".join(bad[:5]))


def pump(seconds):
    """Lets the events that have come in reach their listeners."""
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < deadline:
        if not context.iteration(False):
            time.sleep(0.01)


def main():
    # A stuck call fails after 3 s instead of the library's 25 s.
    Atspi.set_timeout(3000, 3000)
    app = find_app()
    check("the program is on the accessibility bus", app is not None)
    if app is None:
        return 1

    texts = [obj for obj in descendants(app) if "Text" in pyatspi.listInterfaces(obj)]
    check("the window has its four text objects (three box edits and the result box)",
          len(texts) >= 4, f"found {len(texts)}")
    frozen = None
    for index, obj in enumerate(texts):
        label = f"text object {index} ({obj.getRoleName()} '{obj.name}')"
        try:
            sweep(label, obj)
        except Frozen as error:
            frozen = error
            check(f"{label} answered every question in time", False, str(error))
            break
    if frozen is not None:
        print("the program stopped answering; the remaining checks would only wait")
        return 1

    result = next((o for o in texts if o.name == "计算结果"), None)
    check("the result box is a text object named 计算结果", result is not None)
    if result is not None:
        value = result.queryText().getText(0, -1)
        check("the result box holds the start line", value == START_LINE, value)
        check("the result box counts every character of its line",
              result.queryText().characterCount == len(START_LINE))
        state = result.getState()
        check("the result box is editable and focusable",
              state.contains(pyatspi.STATE_EDITABLE) and state.contains(pyatspi.STATE_FOCUSABLE))

    # The window still answers the keyboard: 3 across (the focus starts in the across box), and
    # the new line is announced: as an announcement where the toolkit has them, else as a
    # notification coming into view.
    heard = []

    def on_event(event):
        if event.type.startswith("object:announcement"):
            heard.append(str(event.any_data))
        elif event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            heard.append(event.source.name)

    pyatspi.Registry.registerEventListener(on_event, "object:state-changed:showing",
                                           "object:announcement")
    pump(1.0)
    subprocess.run(["xdotool", "key", "--delay", "60", "Home", "shift+End", "3"], check=True,
                   timeout=10)
    value = ""
    for _ in range(50):
        pump(0.1)
        value = result.queryText().getText(0, -1) if result is not None else ""
        if value == THREE_ACROSS and THREE_ACROSS in heard:
            break
    check("after the sweep, a typed 3 across gives its line", value == THREE_ACROSS, value)
    check("the new line is announced", THREE_ACROSS in heard, str(heard))

    links = [o for o in descendants(app) if o.getRole() == pyatspi.ROLE_LINK]
    check("the maker's line is one link", len(links) == 1, f"found {len(links)}")
    if links:
        link = links[0]
        check("the link is named by its text", link.name.startswith(MAKER_URL), link.name)
        check("the link stays out of the Tab order",
              not link.getState().contains(pyatspi.STATE_FOCUSABLE))
        action = link.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        check("the link has one action", len(names) == 1, str(names))
        if names:
            action.doAction(0)
    return 1 if failures else 0


if __name__ == "__main__":
    code = main()
    if failures:
        print(f"accessibility sweep: {len(failures)} failed")
    sys.exit(code)
