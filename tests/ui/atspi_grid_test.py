#!/usr/bin/python3
"""Every question a client may put to the board's table over AT-SPI, for
every place of its grid, on a board whose last row is short.

Starts the real executable (under scripts/run-with-atspi.sh), builds the
board for m = 60 through AT-SPI (rows 0 and 1 full, row 2 holds 50 … 59),
then asks each Table call for every row, column and place of the 3 × 25
grid, every TableCell call of every child, and the headers, as inspectors
and scripted readers do. Qt 6.4's bridge reads the cell it asks the table
for without a check, so a place without a cell would end the program. Fails
when the program is gone afterwards or an answer is wrong.

    run-with-atspi.sh atspi_grid_test.py <path to apqr>
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi

MODULUS = 60
COLUMNS = 25
ROWS = 3


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
    fail("no %s within %d s" % (what, seconds))


def find(root, role, name):
    queue = [root]
    while queue:
        acc = queue.pop(0)
        if acc.getRole() == role and acc.name == name:
            return acc
        if acc.getRole() != pyatspi.ROLE_TABLE:
            queue.extend(acc.getChildAtIndex(i) for i in range(acc.childCount))
    return None


def application():
    return next((app for app in pyatspi.Registry.getDesktop(0)
                 if app is not None and app.name == "apqr"), None)


# Wrong answers and refused calls, gathered so that every call is put
# before the verdict: a call that ends the program matters most.
problems = []


def ask(what, call):
    """The answer to one call, or None when it raised."""
    try:
        return call()
    except Exception as error:  # pylint: disable=broad-except
        problems.append("%s raised %s" % (what, error))
        return None


def expect(what, actual, expected):
    if actual != expected:
        problems.append("%s: %r, expected %r" % (what, actual, expected))


def ask_every_place(grid):
    """Each Table call for each row, column and place; the answers that
    follow from the index rule n = 25 · row + column are checked."""
    for row in range(ROWS):
        for call in ("getRowDescription", "getRowHeader", "isRowSelected"):
            ask("%s(%d)" % (call, row), lambda c=call: getattr(grid, c)(row))
        for column in range(COLUMNS):
            place = "(%d, %d)" % (row, column)
            index = COLUMNS * row + column
            answers = {call: ask(call + place, lambda c=call: getattr(grid, c)(row, column))
                       for call in ("getAccessibleAt", "getIndexAt", "getRowExtentAt",
                                    "getColumnExtentAt", "isSelected")}
            expect("index of " + place, answers["getIndexAt"], index)
            expect("row and column of index %d" % index,
                   (ask("getRowAtIndex(%d)" % index, lambda: grid.getRowAtIndex(index)),
                    ask("getColumnAtIndex(%d)" % index, lambda: grid.getColumnAtIndex(index))),
                   (row, column))
            ask("getRowColumnExtentsAtIndex(%d)" % index,
                lambda: grid.getRowColumnExtentsAtIndex(index))
            expect("extents at " + place,
                   (answers["getRowExtentAt"], answers["getColumnExtentAt"]), (1, 1))
            expect("selected at " + place, answers["isSelected"], False)
            # A residue's cell is named by it; a place past the last one is
            # empty and not shown.
            cell = answers["getAccessibleAt"]
            if cell is None:
                problems.append("no cell at " + place)
            elif index < MODULUS:
                expect("name at " + place, ask("name" + place, lambda: cell.name), str(index))
            else:
                expect("place " + place,
                       ask("state" + place, lambda: (cell.name, cell.getState().contains(
                           pyatspi.STATE_SHOWING))), ("", False))
    for column in range(COLUMNS):
        ask("getColumnDescription(%d)" % column, lambda: grid.getColumnDescription(column))
        header = ask("getColumnHeader(%d)" % column, lambda: grid.getColumnHeader(column))
        expect("column header %d" % column, header.name if header else None, str(column))
        ask("isColumnSelected(%d)" % column, lambda: grid.isColumnSelected(column))
    expect("selection", ask("selection", lambda: (
        grid.nSelectedRows, grid.nSelectedColumns, list(grid.getSelectedRows()),
        list(grid.getSelectedColumns()))), (0, 0, [], []))


def ask_every_child(table):
    """Each TableCell call of each child the table lists, headers and
    editors included, and its way back to the table. Qt 6.4's bridge offers
    no TableCell interface; the calls go to libatspi directly, as its
    Python wrapper differs between releases."""
    for index in range(table.childCount):
        child = ask("child %d" % index, lambda: table.getChildAtIndex(index))
        if child is None:
            continue
        expect("place of child %d" % index, ask("getIndexInParent", child.getIndexInParent), index)
        if "TableCell" not in pyatspi.listInterfaces(child):
            continue
        cell = Atspi.TableCell
        # Newer libatspi puts a success flag in front.
        expect("position of child %d" % index,
               ask("position", lambda: tuple(cell.get_position(child))[-2:]),
               (index // COLUMNS, index % COLUMNS))
        expect("spans of child %d" % index,
               ask("spans", lambda: tuple(cell.get_row_column_span(child))[-2:]), (1, 1))
        ask("headers of child %d" % index, lambda: [
            header.name for header in cell.get_row_header_cells(child) +
            cell.get_column_header_cells(child)])
        expect("table of child %d" % index, ask("table", lambda: cell.get_table(child)), table)


def main():
    program = subprocess.Popen([sys.argv[1]])
    try:
        app = wait_for("application 'apqr'", application)
        modulus = wait_for("box 'Modul m'", lambda: find(app, pyatspi.ROLE_TEXT, "Modul m"))
        modulus.queryEditableText().setTextContents(str(MODULUS))
        button = wait_for("button 'QR'", lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "QR"))
        action = button.queryAction()
        action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))
        table = wait_for("table 'Tafel der Reste'",
                         lambda: find(app, pyatspi.ROLE_TABLE, "Tafel der Reste"))
        grid = table.queryTable()
        wait_for("a board of %d rows" % ROWS, lambda: True if grid.nRows == ROWS else None)
        expect("columns", grid.nColumns, COLUMNS)

        ask("the grid", lambda: ask_every_place(grid))
        ask("the children", lambda: ask_every_child(table))
        time.sleep(0.5)
        if program.poll() is not None:
            fail("the program ended (status %d) after these:\n      %s"
                 % (program.returncode, "\n      ".join(problems[:10])))
        if problems:
            fail("\n      ".join(problems))
        print("ok: every place of the %d × %d grid answered every call" % (ROWS, COLUMNS))
    finally:
        if program.poll() is None:
            program.terminate()
            program.wait(timeout=10)


if __name__ == "__main__":
    main()
