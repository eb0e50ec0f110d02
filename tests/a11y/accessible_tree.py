#!/usr/bin/env python3
"""What a screen reader sees of the program, in one language.

    accessible_tree.py PROGRAM LANGUAGE     (LANGUAGE: 0 Chinese, 1 English)

Run inside a D-Bus session on an X display (test_accessibility.sh does both). Starts the
accessibility bus and the program in a folder of its own, opens each view through its
menu item (as a screen reader user would, by the item's action), and walks the
accessible tree after each: every focusable control that shows must have a name, and
every cell of the channel table must say its channel and column. Prints how many
controls each view showed; exit status 1 names every control that fails.
"""

import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi

HERE = os.path.dirname(os.path.abspath(__file__))
VIEWS = ["ChannelsView", "FeaturesView", "KeysView", "ScanView"]
# The dialogs the menus open without a file or a radio, by their command's caption.
DIALOGS = ["MenuModelAndBand", "MenuComPort", "LanguageTitle", "MenuFind", "MenuFillFrequencies",
           "MenuBulkSet", "WriteSeveral", "AboutTitle"]
ESCAPE = 9  # its X key code
PATIENCE = 60.0  # seconds for the program, and for each view, to show (a sanitizer build is slow)


def text_numbers():
    """The language table's numbers by name, as the program numbers them."""
    with open(os.path.join(HERE, "..", "..", "data", "language_table.h"), encoding="utf-8") as f:
        return {m.group(1): int(m.group(2)) for m in re.finditer(r"\b(\w+) = (\d+),", f.read())}


def texts(program, language):
    """Text #n in `language`, from the lang.csv beside the program."""
    path = os.path.join(os.path.dirname(program), "lang.csv")
    with open(path, encoding="utf-8-sig") as f:
        lines = f.read().split("\n")
    return lambda n: lines[n + 1].split(",")[language].strip()


def showing(acc):
    try:
        return acc.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def descendants(acc, into=lambda child: True):
    """Everything below `acc`; below a child only when `into` says so."""
    try:
        count = acc.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = acc.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            yield child
            if into(child):
                yield from descendants(child, into)


def role_of(acc):
    try:
        return acc.getRoleName()
    except Exception:
        return ""


def OUTSIDE_VIEWS(child):
    """Windows and menus are found without walking through what the views and dialogs
    hold: below the main window, a window is not entered."""
    role = role_of(child)
    if role in ("frame", "internal frame", "dialog"):
        return role_of(child.parent) == "application"
    return role != "table"


def path_of(acc):
    parts = []
    while acc is not None and len(parts) < 6:
        try:
            parts.append(f"{acc.getRoleName()} '{acc.name}'")
            acc = acc.parent
        except Exception:
            break
    return " < ".join(parts)


def wait_for(what, find):
    deadline = time.monotonic() + PATIENCE
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    raise SystemExit(f"FAIL: {what} did not show within {PATIENCE:.0f} s")


def the_program(pid):
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.get_process_id() == pid and any(
                    showing(c) for c in descendants(app, OUTSIDE_VIEWS)):
                return app
        except Exception:
            continue
    return None


def labels_of(acc):
    """The names of the labels that say what `acc` is (its labelled-by relation)."""
    names = []
    for relation in acc.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return [n for n in names if (n or "").strip()]


def unnamed_controls(app):
    controls, unnamed = 0, []
    for acc in descendants(app):
        try:
            state = acc.getState()
        except Exception:
            continue
        if state.contains(pyatspi.STATE_FOCUSABLE) and state.contains(pyatspi.STATE_SHOWING):
            controls += 1
            if not (acc.name or "").strip():
                unnamed.append(path_of(acc))
            elif acc.getRoleName() == "combo box" and not labels_of(acc):
                # Qt names a list by the value it shows; its label comes as a relation.
                unnamed.append(path_of(acc) + " (a list without a label)")
    return controls, unnamed


def table_faults(app, text, numbers):
    tables = [a for a in descendants(app, lambda c: role_of(c) != "table")
              if role_of(a) == "table" and showing(a)]
    if not tables:
        return ["no channel table shows"]
    table = tables[0]
    faults = []
    if table.name != text(numbers["ChannelsView"]):
        faults.append(f"the channel table is named '{table.name}'")
    cells = table.queryTable()
    channel = text(numbers["AccessibleChannel"])
    for row in range(cells.nRows):
        for column in range(cells.nColumns):
            header = cells.getColumnHeader(column).name
            name = cells.getAccessibleAt(row, column).name
            start = f"{channel.replace('%1', str(row + 1))}, {header}, "
            if not name.startswith(start) or len(name) == len(start):
                faults.append(f"cell {row + 1}/{column + 1} reads '{name}', not '{start}...'")
    return faults


def menu_item(app, caption):
    """The menu item of a command, by its caption as the menu shows it."""
    name = caption.replace("&", "")
    return next((a for a in descendants(app, OUTSIDE_VIEWS)
                 if role_of(a) in ("menu item", "check menu item") and a.name == name), None)


def press_in_another_process(pid, caption):
    """Presses a menu item whose dialog is modal: the press returns only once the dialog
    has closed, so it is made by a process of its own."""
    script = (f"import pyatspi, sys\n"
              f"sys.path.insert(0, {HERE!r})\n"
              f"import accessible_tree as t\n"
              f"t.menu_item(t.the_program({pid}), {caption!r}).queryAction().doAction(0)\n")
    return subprocess.Popen([sys.executable, "-c", script], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)


def showing_dialog(app):
    return next((a for a in descendants(app, OUTSIDE_VIEWS)
                 if role_of(a) in ("dialog", "alert") and showing(a)), None)


def main():
    program, language = sys.argv[1], int(sys.argv[2])
    numbers = text_numbers()
    text = texts(program, language)
    work = tempfile.mkdtemp(prefix="radioprog-a11y-")
    with open(os.path.join(work, "sys.ini"), "w", newline="") as f:
        f.write(f"Com=COM1\r\nDefaultLanguage={language}\r\nMode=1\r\n")
    env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"),
               XDG_DATA_HOME=os.path.join(work, "data"), QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(0.5)
    log = open(os.path.join(work, "program.log"), "w")
    radio = subprocess.Popen([program], cwd=work, env=env, stdout=log, stderr=log)
    faults = []
    try:
        app = wait_for("the program", lambda: the_program(radio.pid))
        for view in VIEWS:
            title = text(numbers[view])
            item = menu_item(app, title)
            if item is None:
                faults.append(f"no menu item '{title}'")
                continue
            item.queryAction().doAction(0)
            frame = wait_for(f"the view '{title}'", lambda: next(
                (a for a in descendants(app, OUTSIDE_VIEWS)
                 if role_of(a) in ("frame", "internal frame") and a.name.startswith(title)
                 and showing(a)), None))
            time.sleep(0.5)
            controls, unnamed = unnamed_controls(frame)
            print(f"language {language}, {title}: {controls} focusable controls showing, "
                  f"{len(unnamed)} without a name")
            faults += [f"{title}: no name: {p}" for p in unnamed]
            if view == "ChannelsView":
                faults += table_faults(app, text, numbers)
        # The main window with every view open: its own controls too.
        controls, unnamed = unnamed_controls(app)
        print(f"language {language}, every view open: {controls} focusable controls showing, "
              f"{len(unnamed)} without a name")
        faults += [f"no name: {p}" for p in unnamed]
        # The channel table's dialogs need its window active.
        menu_item(app, text(numbers["ChannelsView"])).queryAction().doAction(0)
        time.sleep(0.5)
        for name in DIALOGS:
            caption = text(numbers[name])
            if menu_item(app, caption) is None:
                faults.append(f"no menu item '{caption}'")
                continue
            press = press_in_another_process(radio.pid, caption)
            dialog = wait_for(f"the dialog of '{caption}'", lambda: showing_dialog(app))
            time.sleep(0.5)
            controls, unnamed = unnamed_controls(dialog)
            print(f"language {language}, dialog '{dialog.name}': {controls} focusable controls "
                  f"showing, {len(unnamed)} without a name")
            faults += [f"dialog '{dialog.name}': no name: {p}" for p in unnamed]
            pyatspi.Registry.generateKeyboardEvent(ESCAPE, None, pyatspi.KEY_PRESSRELEASE)
            wait_for(f"the dialog '{dialog.name}' to close",
                     lambda: None if showing_dialog(app) else True)
            press.wait(10)
        # The navigation bar starts hidden.
        menu_item(app, text(numbers["MenuNavigationBar"])).queryAction().doAction(0)
        tree = wait_for("the navigation tree", lambda: next(
            (a for a in descendants(app, lambda c: role_of(c) not in ("table", "tree", "dialog"))
             if role_of(a) in ("tree", "tree table") and showing(a)), None))
        controls, unnamed = unnamed_controls(tree)
        items = [a for a in descendants(tree) if a.getRoleName() in ("tree item", "table cell")]
        print(f"language {language}, navigation tree '{tree.name}': {len(items)} items, "
              f"{controls} focusable, {len(unnamed)} without a name")
        if not tree.name.strip():
            faults.append("the navigation tree has no name")
        faults += [f"navigation tree: no name: {p}" for p in unnamed]
        faults += [f"navigation tree: an item without a name: {path_of(a)}"
                   for a in items if not (a.name or "").strip()]
    finally:
        radio.terminate()
        bus.terminate()
        radio.wait(10)
        bus.wait(10)
        log.close()
        if faults or sys.exc_info()[0] is not None:
            with open(os.path.join(work, "program.log"), encoding="utf-8", errors="replace") as f:
                said = f.read()[-2000:]
            if said:
                print(f"The program said:\n{said}")
    for fault in dict.fromkeys(faults):
        print(f"FAIL: {fault}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
