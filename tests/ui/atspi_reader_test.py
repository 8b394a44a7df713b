#!/usr/bin/python3
"""What a screen reader such as Orca gets over AT-SPI from the running program.

Starts the real executable (under scripts/run-with-atspi.sh), works it the way
assistive technology can, through AT-SPI alone: writes a modulus into the box
named "Modul m", presses "QR" and "arithm. Progression suchen" through their
actions, then reads the board as a table, cell by cell: name, description and
text, and last the window itself. Fails with a message naming what was wrong.

    run-with-atspi.sh atspi_reader_test.py <path to apqr>
"""
import subprocess
import sys
import time

import pyatspi


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def wait_for(what, find, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.05)
    fail("no " + what + " within %d s" % seconds)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "apqr":
            return app
    return None


# Roles are compared by value: their names change between AT-SPI releases
# ("push button" became "button").
ROLE_WORDS = {pyatspi.ROLE_PUSH_BUTTON: "push button", pyatspi.ROLE_TEXT: "text",
              pyatspi.ROLE_TABLE: "table"}


def descendant(root, role, name):
    """The first accessible of that role and name below root, breadth first."""
    queue = [root]
    while queue:
        acc = queue.pop(0)
        if acc.getRole() == role and acc.name == name:
            return acc
        if acc.getRole() != pyatspi.ROLE_TABLE:  # its children are the cells
            queue.extend(acc.getChildAtIndex(i) for i in range(acc.childCount))
    return None


def control(app, role, name):
    return wait_for(ROLE_WORDS[role] + " '" + name + "'", lambda: descendant(app, role, name))


def press(app, name):
    button = control(app, pyatspi.ROLE_PUSH_BUTTON, name)
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail("button '%s' offers no Press action: %s" % (name, names))
    action.doAction(names.index("Press"))


def text_of(acc):
    text = acc.queryText()
    return text.getText(0, text.characterCount)


def settles(what, read, expected, seconds=10):
    """A button pressed through its action clicks a moment later."""
    deadline = time.monotonic() + seconds
    while read() != expected and time.monotonic() < deadline:
        time.sleep(0.05)
    expect(what, read(), expected)


def expect(what, actual, expected):
    if actual != expected:
        fail("%s: %r, expected %r" % (what, actual, expected))


def main():
    program = subprocess.Popen([sys.argv[1]])
    try:
        app = wait_for("application 'apqr'", application)

        # At start-up: the two design cells, not yet coloured.
        table = control(app, pyatspi.ROLE_TABLE, "Tafel der Reste")
        cell = table.queryTable().getAccessibleAt(0, 1)
        expect("cell 1 at start-up", (cell.getRole(), cell.name, cell.description,
                                      text_of(cell)),
               (pyatspi.ROLE_TABLE_CELL, "1", "Rest 1, nicht eingefärbt", "1"))

        modulus = control(app, pyatspi.ROLE_TEXT, "Modul m")
        modulus.queryEditableText().setTextContents("9")
        press(app, "QR")
        factorization = control(app, pyatspi.ROLE_TEXT, "Primfaktorzerlegung")
        settles("factorization", lambda: text_of(factorization), " 9 = 3 * 3")
        press(app, "arithm. Progression suchen")
        grid = table.queryTable()
        settles("cell 4 after the search",
                lambda: grid.getAccessibleAt(0, 4).description, "Rest 4, Glied einer Progression")

        expect("size of the table", (grid.nRows, grid.nColumns), (1, 25))
        # Every child knows its place: the 25 places of the row, 9 cells and
        # 16 empty ones, then the headers and the cell editors, which name
        # the table as their parent too.
        children = [table.getChildAtIndex(i) for i in range(table.childCount)]
        expect("places of the table",
               [child.name for child in children if child.getRole() == pyatspi.ROLE_TABLE_CELL],
               [str(n) for n in range(9)] + [""] * 16)
        expect("children's places", [child.getIndexInParent() for child in children],
               list(range(len(children))))
        header = grid.getColumnHeader(7)
        listed = table.getChildAtIndex(header.getIndexInParent())
        expect("column header 7 among the children", (listed.getRole(), listed.name),
               (header.getRole(), "7"))
        seen = {}
        for index in range(9):
            cell = grid.getAccessibleAt(0, index)
            seen[index] = (cell.name, cell.description, text_of(cell))
        expect("cell 4", seen[4], ("4", "Rest 4, Glied einer Progression", "3"))
        expect("cell 2", seen[2], ("2", "kein quadratischer Rest", ""))
        expect("cell 0", seen[0], ("0", "quadratischer Rest", ""))
        place = grid.getAccessibleAt(0, 9)
        expect("the place past the last residue",
               (place.name, place.getState().contains(pyatspi.STATE_SHOWING)), ("", False))

        # What a reader asks of a cell it lands on besides its name: caret,
        # selections, the line at the caret and its attributes.
        text = grid.getAccessibleAt(0, 4).queryText()
        expect("caret in cell 4", text.caretOffset, 0)
        expect("selections in cell 4", text.getNSelections(), 0)
        expect("line of cell 4",
               text.getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_LINE_START)[0], "3")
        text.getAttributeRun(0, False)
        # The current cell, 0 after start-up, is no selection: the board has
        # none, and no cell can be selected.
        expect("selected cells", (grid.isSelected(0, 0), grid.isSelected(0, 4)), (False, False))
        expect("selectable cell", grid.getAccessibleAt(0, 0).getState().contains(
            pyatspi.STATE_SELECTABLE), False)
        expect("selected rows", grid.nSelectedRows, 0)
        # Pointing at a cell on screen finds that cell.
        box = grid.getAccessibleAt(0, 7).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        pointed = table.queryComponent().getAccessibleAtPoint(
            box.x + box.width // 2, box.y + box.height // 2, pyatspi.DESKTOP_COORDS)
        expect("cell under the pointer", pointed.name if pointed else None, "7")
        # A reader names the window it enters by its title, as a frame.
        window = app.getChildAtIndex(0)
        expect("the window", (window.getRole(), window.name),
               (pyatspi.ROLE_FRAME, "Arithmetische Progressionen in den quadratischen Resten modulo m"))
        print("ok: the window reads as a named frame, the board as a table of named cells")
    finally:
        program.terminate()
        program.wait(timeout=10)


if __name__ == "__main__":
    main()
