#!/usr/bin/python3
"""What a screen reader such as Orca gets over AT-SPI from the running program.

Starts the real executable (under scripts/run-with-atspi.sh), works it the way
assistive technology can, through AT-SPI alone: writes a modulus into the box
named "Modul m", presses "QR" and "arithm. Progression suchen" through their
actions, then reads the board as a table, cell by cell: name, description and
text, and the window itself. Last it builds a board whose last row is short
and puts every Table call to every place of its grid, every TableCell call to
every child, as inspectors and scripted readers do: Qt 6.4's bridge reads the
cell it asks the table for without a check, so a place without a cell would
end the program. Fails with a message naming what was wrong.

    run-with-atspi.sh atspi_reader_test.py <path to apqr>
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi


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


# The grid: m = 60 fills rows 0 and 1, row 2 holds 50 … 59.
GRID_MODULUS = 60
COLUMNS = 25


class Grid:
    """Every call put to every place of the table; wrong answers and refused
    calls are gathered, so that all calls are put before the verdict: a call
    that ends the program matters most."""

    def __init__(self, table):
        self.table = table
        self.grid = table.queryTable()
        self.problems = []

    def ask(self, what, call):
        try:
            return call()
        except Exception as error:  # pylint: disable=broad-except
            self.problems.append("%s raised %s" % (what, error))
            return None

    def check(self, what, actual, expected):
        if actual != expected:
            self.problems.append("%s: %r, expected %r" % (what, actual, expected))

    def every_place(self):
        """Each Table call for each row, column and place; the answers that
        follow from the index rule n = 25 · row + column are checked. A
        residue's cell is named by it; a place past the last one is empty and
        not shown."""
        grid = self.grid
        for row in range(grid.nRows):
            for call in ("getRowDescription", "getRowHeader", "isRowSelected"):
                self.ask("%s(%d)" % (call, row), lambda c=call: getattr(grid, c)(row))
            for column in range(COLUMNS):
                place = "(%d, %d)" % (row, column)
                index = COLUMNS * row + column
                answers = {call: self.ask(call + place,
                                          lambda c=call: getattr(grid, c)(row, column))
                           for call in ("getAccessibleAt", "getIndexAt", "getRowExtentAt",
                                        "getColumnExtentAt", "isSelected")}
                self.check("index of " + place, answers["getIndexAt"], index)
                self.check("row and column of index %d" % index,
                           (self.ask("getRowAtIndex", lambda: grid.getRowAtIndex(index)),
                            self.ask("getColumnAtIndex", lambda: grid.getColumnAtIndex(index))),
                           (row, column))
                self.ask("getRowColumnExtentsAtIndex", lambda: grid.getRowColumnExtentsAtIndex(index))
                self.check("extents at " + place,
                           (answers["getRowExtentAt"], answers["getColumnExtentAt"]), (1, 1))
                self.check("selected at " + place, answers["isSelected"], False)
                cell = answers["getAccessibleAt"]
                shown = self.ask("cell" + place, lambda: (
                    cell.name, cell.getState().contains(pyatspi.STATE_SHOWING)))
                self.check("cell at " + place, shown,
                           (str(index), True) if index < GRID_MODULUS else ("", False))
        for column in range(COLUMNS):
            self.ask("getColumnDescription(%d)" % column, lambda: grid.getColumnDescription(column))
            self.check("column header %d" % column,
                       self.ask("getColumnHeader", lambda: grid.getColumnHeader(column).name),
                       str(column))
            self.ask("isColumnSelected(%d)" % column, lambda: grid.isColumnSelected(column))
        self.check("selection", self.ask("selection", lambda: (
            grid.nSelectedRows, grid.nSelectedColumns, list(grid.getSelectedRows()),
            list(grid.getSelectedColumns()))), (0, 0, [], []))

    def every_child(self):
        """Each TableCell call of each child the table lists, headers and
        editors included, and its way back to the table. Qt 6.4's bridge
        offers no TableCell interface. The calls go to libatspi directly, as
        its Python wrapper differs between releases; newer libatspi puts a
        success flag in front of a position."""
        table, cell = self.table, Atspi.TableCell
        for index in range(table.childCount):
            child = self.ask("child %d" % index, lambda: table.getChildAtIndex(index))
            if child is None:
                continue
            self.check("place of child %d" % index,
                       self.ask("getIndexInParent", child.getIndexInParent), index)
            if "TableCell" not in pyatspi.listInterfaces(child):
                continue
            self.check("position of child %d" % index,
                       self.ask("position", lambda: tuple(cell.get_position(child))[-2:]),
                       (index // COLUMNS, index % COLUMNS))
            self.check("spans of child %d" % index,
                       self.ask("spans", lambda: tuple(cell.get_row_column_span(child))[-2:]),
                       (1, 1))
            self.ask("headers of child %d" % index, lambda: [
                header.name for header in cell.get_row_header_cells(child) +
                cell.get_column_header_cells(child)])
            self.check("table of child %d" % index,
                       self.ask("table", lambda: cell.get_table(child)), table)


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
        # Every child knows its place: the places of the grid, then the
        # headers and the cell editors, which name the table as their parent
        # too.
        children = [table.getChildAtIndex(i) for i in range(table.childCount)]
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
        expect("selectable cell", grid.getAccessibleAt(0, 0).getState().contains(
            pyatspi.STATE_SELECTABLE), False)
        # Pointing at a cell on screen finds that cell.
        box = grid.getAccessibleAt(0, 7).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        pointed = table.queryComponent().getAccessibleAtPoint(
            box.x + box.width // 2, box.y + box.height // 2, pyatspi.DESKTOP_COORDS)
        expect("cell under the pointer", pointed.name if pointed else None, "7")
        # A reader names the window it enters by its title, as a frame.
        window = app.getChildAtIndex(0)
        expect("the window", (window.getRole(), window.name),
               (pyatspi.ROLE_FRAME, "Arithmetische Progressionen in den quadratischen Resten modulo m"))

        modulus.queryEditableText().setTextContents(str(GRID_MODULUS))
        press(app, "QR")
        settles("rows of the board for m = 60", lambda: grid.nRows, 3)
        asked = Grid(table)
        asked.ask("the places", asked.every_place)
        asked.ask("the children", asked.every_child)
        time.sleep(0.5)
        if program.poll() is not None:
            fail("the program ended (status %d) after these calls:\n      %s"
                 % (program.returncode, "\n      ".join(asked.problems[:10])))
        if asked.problems:
            fail("\n      ".join(asked.problems))
        print("ok: the window reads as a named frame, the board as a table of named cells;"
              " every place of a 3 × 25 grid answered every call")
    finally:
        if program.poll() is None:
            program.terminate()
            program.wait(timeout=10)


if __name__ == "__main__":
    main()
