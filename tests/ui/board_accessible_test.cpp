// What a screen reader learns through Qt's accessibility: the board as a
// table of named cells whose description says what the colour means, the
// names of the other controls, and the events that keep a reader current.
#include "board/board_accessible.h"

#include <QAccessible>
#include <QLabel>
#include <functional>

#include "accessibility.h"
#include "form_driver.h"

using namespace apqr;
using namespace apqr::ui;
using namespace apqr::ui::test;

namespace {

// The events Qt hands to assistive technology, kept as type and, for an
// event about a cell, that cell's name; and as a line that says what a
// reader is told: the kind of event, the role and name of its object. The
// two cell editors are told apart as editor A and B, in order of appearance.
// Lines are kept of every move of the focus and of all that the board, its
// editors and the announcer send, not of what Qt's own boxes say of their
// caret.
struct Seen {
    QAccessible::Event type;
    QString name;
    QString line;
};
std::vector<Seen> g_seen;
std::vector<const QObject*> g_editors;

QString roleWord(QAccessibleInterface* iface) {
    switch (iface->role()) {
        case QAccessible::Table:
            return QStringLiteral("table");
        case QAccessible::Cell:
            return QStringLiteral("cell");
        case QAccessible::Notification:
            return QStringLiteral("notification");
        case QAccessible::PushButton:
            return QStringLiteral("button");
        case QAccessible::EditableText: {
            if (qobject_cast<const BoardView*>(iface->object()->parent()) == nullptr) {
                return QStringLiteral("text");
            }
            auto at = std::find(g_editors.begin(), g_editors.end(), iface->object());
            if (at == g_editors.end()) at = g_editors.insert(at, iface->object());
            return QStringLiteral("editor %1")
                .arg(QChar(static_cast<char16_t>(u'A' + (at - g_editors.begin()))));
        }
        default:
            return QString::number(iface->role());
    }
}

void record(QAccessibleEvent* event) {
    QAccessibleInterface* iface = event->accessibleInterface();
    const bool cell = iface != nullptr && iface->role() == QAccessible::Cell;
    const QString kind =
        QString::fromLatin1(QMetaEnum::fromType<QAccessible::Event>().valueToKey(event->type()));
    const QString role = iface != nullptr ? roleWord(iface) : QString();
    const bool kept = event->type() == QAccessible::Focus || cell || role == "table" ||
                      role == "notification" || role.startsWith(QLatin1String("editor"));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement) {
        const auto* announcement = static_cast<QAccessibleAnnouncementEvent*>(event);
        g_seen.push_back({event->type(), QString(), "Announcement " + announcement->message()});
        return;
    }
#endif
    g_seen.push_back(
        {event->type(), cell ? iface->text(QAccessible::Name) : QString(),
         kept ? QStringLiteral("%1 %2 %3").arg(kind, role, iface->text(QAccessible::Name))
              : QString()});
}

}  // namespace

class BoardAccessibleTest : public QObject {
    Q_OBJECT
private slots:
    // The bridge switches accessibility on once it has reached the AT-SPI
    // bus, a moment after start.
    void initTestCase() {
        installAccessibleInterfaces();
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 10000);
    }
    void init() {
        m_form = openForm();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        g_seen.clear();
        g_editors.clear();
    }
    void cleanup() {
        QAccessible::installUpdateHandler(nullptr);
        m_form.reset();
    }

    void theBoardIsANamedTable() {
        buildFor(*m_form, QStringLiteral("60"));
        QAccessibleInterface* table = tableOf();
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Tafel der Reste"));
        QAccessibleTableInterface* grid = table->tableInterface();
        QVERIFY(grid != nullptr);
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->columnCount(), 25);
        QVERIFY(grid->cellAt(2, 9) != nullptr);
        // The short last row ends at 59, yet has all its places, as every
        // table does: empty, not shown, and nothing to do there. Qt 6.4's
        // bridge reads the cell it asks for without a check.
        QAccessibleInterface* place = grid->cellAt(2, 10);
        QVERIFY(place != nullptr);
        QCOMPARE(place->text(QAccessible::Name), QString());
        QVERIFY(place->state().invisible && !place->state().focusable);
        QCOMPARE(table->indexOfChild(place), 60);
        QCOMPARE(place->tableCellInterface()->columnIndex(), 10);
        QCOMPARE(place->tableCellInterface()->columnHeaderCells().size(), 1);
        QVERIFY(grid->cellAt(3, 0) == nullptr);
        QCOMPARE(grid->columnDescription(7), QStringLiteral("7"));
        QCOMPARE(grid->rowDescription(2), QStringLiteral("50"));

        QAccessibleInterface* cell = grid->cellAt(2, 9);
        QCOMPARE(table->indexOfChild(cell), 59);
        QCOMPARE(table->child(59), cell);  // cached, not made anew
        QCOMPARE(cell->parent(), table);
        QAccessibleTableCellInterface* inTable = cell->tableCellInterface();
        QCOMPARE(inTable->rowIndex(), 2);
        QCOMPARE(inTable->columnIndex(), 9);
        QCOMPARE(inTable->columnHeaderCells().value(0)->text(QAccessible::Name),
                 QStringLiteral("9"));
        QCOMPARE(inTable->rowHeaderCells().value(0)->text(QAccessible::Name), QStringLiteral("50"));

        // Every column and row has its header, and the table lists each
        // header, as it lists every object that names it as its parent.
        for (int column = 0; column < 25; ++column) {
            const auto headers = grid->cellAt(0, column)->tableCellInterface()->columnHeaderCells();
            QCOMPARE(headers.size(), 1);
            QCOMPARE(headers[0]->text(QAccessible::Name), QString::number(column));
            verifyListedByItsParent(headers[0]);
        }
        for (int row = 0; row < 3; ++row) {
            const auto headers = grid->cellAt(row, 0)->tableCellInterface()->rowHeaderCells();
            QCOMPARE(headers.value(0)->text(QAccessible::Name), QString::number(25 * row));
            verifyListedByItsParent(headers[0]);
        }
        int cells = 0;
        for (int i = 0; i < table->childCount(); ++i) {
            QAccessibleInterface* child = table->child(i);
            QCOMPARE(child->parent(), table);
            QCOMPARE(table->indexOfChild(child), i);
            if (child->role() == QAccessible::Cell) ++cells;
        }
        QCOMPARE(cells, 75);
    }

    void rowsPastTheLastRowHeaderHaveNone() {
        buildFor(*m_form, QStringLiteral("600"));
        QAccessibleTableInterface* grid = tableOf()->tableInterface();
        QCOMPARE(grid->cellAt(20, 0)->tableCellInterface()->rowHeaderCells().size(), 1);
        QVERIFY(grid->cellAt(21, 0)->tableCellInterface()->rowHeaderCells().isEmpty());
        QCOMPARE(grid->rowDescription(21), QString());
    }

    // Name, meaning of the colour and text of a cell, for each colour. A
    // cell with a text is spoken by its text, so its description names it.
    void aCellSaysWhatItIs_data() {
        QTest::addColumn<QString>("modulus");  // empty: start-up
        QTest::addColumn<bool>("searched");
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("text");
        QTest::newRow("white") << "12" << false << 2 << "kein quadratischer Rest"
                               << "";
        QTest::newRow("yellow") << "12" << false << 9 << "quadratischer Rest"
                                << "";
        QTest::newRow("red, with its difference")
            << "9" << true << 4 << "Rest 4, Glied einer Progression"
            << "3";
        QTest::newRow("default, at start-up") << "" << false << 1 << "Rest 1, nicht eingefärbt"
                                              << "1";
    }
    void aCellSaysWhatItIs() {
        QFETCH(QString, modulus);
        QFETCH(bool, searched);
        QFETCH(int, cell);
        QFETCH(QString, description);
        QFETCH(QString, text);
        if (!modulus.isEmpty()) buildFor(*m_form, modulus);
        if (searched) click(*m_form, "Command2");
        QAccessibleInterface* iface = accessibleCell(board(*m_form), cell);
        QVERIFY(iface != nullptr);
        QCOMPARE(iface->role(), QAccessible::Cell);
        QCOMPARE(iface->text(QAccessible::Name), QString::number(cell));
        QCOMPARE(iface->text(QAccessible::Description), description);
        QCOMPARE(iface->text(QAccessible::Value), text);
        // AT-SPI reads the text through the text interface only.
        QAccessibleTextInterface* reading = iface->textInterface();
        QVERIFY(reading != nullptr);
        QCOMPARE(reading->text(0, reading->characterCount()), text);
        // What a reader asks besides, landing on a cell: a leaf without a
        // caret or selection, whose only line is its text.
        QCOMPARE(iface->childCount(), 0);
        QCOMPARE(reading->cursorPosition(), 0);
        QCOMPARE(reading->selectionCount(), 0);
        int start = -1;
        int end = -1;
        reading->selection(0, &start, &end);
        QCOMPARE(end - start, 0);
        QCOMPARE(reading->textAtOffset(0, QAccessible::LineBoundary, &start, &end), text);
        reading->attributes(0, &start, &end);
        QCOMPARE(end - start, static_cast<int>(text.size()));
        QCOMPARE(iface->rect().size(), board(*m_form)->cellRect(cell).size());
    }

    void movingTheCurrentCellIsAnnounced() {
        buildFor(*m_form, QStringLiteral("30"));
        auto* view = board(*m_form);
        view->setFocus(Qt::TabFocusReason);
        QAccessible::installUpdateHandler(record);
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(names(QAccessible::Focus), (QStringList{"1", "26"}));
        QAccessibleInterface* table = tableOf();
        QCOMPARE(table->focusChild()->text(QAccessible::Name), QStringLiteral("26"));
        QVERIFY(table->focusChild()->state().focused);
        QVERIFY(!accessibleCell(view, 1)->state().focused);
    }

    // How a reader moves about the table: by point, by the current cell and
    // into the cell editor, which is the table's last child while open.
    void aReaderFindsItsWayAround() {
        buildFor(*m_form, QStringLiteral("60"));
        auto* view = board(*m_form);
        view->setFocus(Qt::TabFocusReason);
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Right);  // cell 26
        QAccessibleInterface* table = tableOf();
        QAccessibleInterface* current = accessibleCell(view, 26);
        // The current cell is where the keys act; the board has no
        // selection, and no cell claims to be selectable (Orca 48 would call
        // every other cell "not selected").
        QAccessibleTableInterface* grid = table->tableInterface();
        QVERIFY(grid->selectedCells().isEmpty());
        QCOMPARE(grid->selectedCellCount() + grid->selectedRowCount() + grid->selectedColumnCount(),
                 0);
        QVERIFY(!grid->isRowSelected(1) && !grid->isColumnSelected(1));
        QVERIFY(grid->selectedRows().isEmpty() && grid->selectedColumns().isEmpty());
        QVERIFY(!grid->selectRow(1) && !grid->selectColumn(1));
        QVERIFY(!grid->unselectRow(1) && !grid->unselectColumn(1));
        QVERIFY(!current->tableCellInterface()->isSelected());
        const QAccessible::State state = current->state();
        QVERIFY(state.focused && state.editable && !state.selectable && !state.selected);
        QAccessibleTableCellInterface* place = current->tableCellInterface();
        QCOMPARE(place->table(), table);
        QCOMPARE(place->rowExtent() * place->columnExtent(), 1);
        QVERIFY(!accessibleCell(view, 27)->tableCellInterface()->isSelected());
        QCOMPARE(current->window(), m_form->windowHandle());
        const QPoint at = view->mapToGlobal(view->cellRect(27).center());
        QCOMPARE(table->childAt(at.x(), at.y()), accessibleCell(view, 27));

        QTest::keyClick(view, Qt::Key_F2);
        QAccessibleInterface* editor = QAccessible::queryAccessibleInterface(view->editor());
        QCOMPARE(editor->text(QAccessible::Name), QStringLiteral("26"));
        verifyListedByItsParent(editor);
        QCOMPARE(table->focusChild(), editor);
        // Pointing at the editor finds the cell it edits, which is not the
        // focus, so that a reader presents the editor's focus after a click.
        const QPoint onEditor = view->editor()->mapToGlobal(view->editor()->rect().center());
        QCOMPARE(table->childAt(onEditor.x(), onEditor.y()), current);

        // Closed, the editor stays in the tree, hidden, where a reader that
        // presented it last still finds it.
        QTest::keyClick(view->editor(), Qt::Key_Escape);
        QVERIFY(editor->state().invisible);
        verifyListedByItsParent(editor);
        QCOMPARE(table->focusChild(), current);
    }

    // A cell scrolled out of the frame says so, so that a reader does not
    // point at it on screen.
    void cellsOutOfSightAreOffscreen() {
        buildFor(*m_form, QStringLiteral("3000"));
        auto* view = board(*m_form);
        QVERIFY(!accessibleCell(view, 0)->state().offscreen);
        QVERIFY(accessibleCell(view, 2999)->state().offscreen);
        control<QScrollBar>(*m_form, "VScroll3")
            ->setValue(control<QScrollBar>(*m_form, "VScroll3")->maximum() - 60);
        QVERIFY(accessibleCell(view, 0)->state().offscreen);
    }

    // After a rebuild, search, check or scan cycle a reader is told that the
    // table changed, and the cells it held before are gone: none can answer
    // for a cell of the old board. The buttons are pressed from the program,
    // so the focus stays on the board, as it does while a scan rebuilds it.
    void everyChangeOfTheBoardResetsTheTable_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("QR") << "Command3";
        QTest::newRow("search") << "Command2";
        QTest::newRow("check") << "Command5";
        QTest::newRow("scan") << "Command1";
    }
    void everyChangeOfTheBoardResetsTheTable() {
        QFETCH(QString, button);
        buildFor(*m_form, QStringLiteral("9"));
        auto* view = board(*m_form);
        view->setFocus(Qt::TabFocusReason);
        const QAccessible::Id before = QAccessible::uniqueId(accessibleCell(view, 8));
        QAccessible::installUpdateHandler(record);
        control<QPushButton>(*m_form, qPrintable(button))->click();
        QVERIFY(count(QAccessible::TableModelChanged) >= 1);
        QVERIFY(QAccessible::accessibleInterface(before) == nullptr);
        // The focused cell is announced anew from the new board.
        QCOMPARE(names(QAccessible::Focus).value(0), QStringLiteral("0"));
    }

    // What Orca presents hangs on the kind and order of these events: each
    // outcome is one announcement with Qt 6.8, which Orca 48 speaks; with
    // older Qt a notification, which Orca 43 speaks as it is shown, so each
    // message is hidden first; the current cell is told after the table has
    // the focus; each edit gets the other of two editors, which takes the
    // focus before its text. Each step of a keyboard and mouse
    // conversation, with all it sent.
    void eachStepTellsAReaderWhatOrcaNeeds() {
        typeInto(control<QLineEdit>(*m_form, "Text2"), QStringLiteral("51"));
        auto* view = board(*m_form);
        const auto clickCell = [view](int index) {
            QTest::mouseClick(view, Qt::LeftButton, {}, view->cellRect(index).center());
        };
        const QString built = QStringLiteral("Tafel für m = 51 (3 mal 17): 18 quadratische Reste.");
        const QString found = QStringLiteral("Progression mit d = 9 ab 16: 16, 25, 34, 43.");
        const auto editor = [](const char* which, const char* cell) {
            const QString e =
                QStringLiteral("editor %1 %2").arg(QLatin1String(which), QLatin1String(cell));
            return QStringList{"NameChanged " + e, "DescriptionChanged " + e, "ObjectShow " + e,
                               "Focus " + e};
        };
        // How an outcome reaches a reader, after `before` was the last one.
        const auto announced = [](const QString& message, const QString& before) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
            (void)before;
            return QStringList{"Announcement " + message};
#else
            QStringList told;
            if (!before.isEmpty()) told << "ObjectHide notification " + before;
            return told + QStringList{"NameChanged notification " + message,
                                      "ObjectShow notification " + message};
#endif
        };
        struct Step {
            const char* what;
            std::function<void()> act;
            QStringList told;
        };
        const std::vector<Step> conversation{
            {"QR", [this] { click(*m_form, "Command3"); },
             QStringList{"Focus button QR", "TableModelChanged table Tafel der Reste"} +
                 announced(built, {})},
            {"search", [this] { click(*m_form, "Command2"); },
             QStringList{"Focus button arithm. Progression suchen",
                         "TableModelChanged table Tafel der Reste"} +
                 announced(found, built)},
            {"search again, the same message", [this] { click(*m_form, "Command2"); },
             QStringList{"TableModelChanged table Tafel der Reste"} + announced(found, found)},
            {"to the stop button",
             [this] { control<QWidget>(*m_form, "Command4")->setFocus(Qt::TabFocusReason); },
             {"Focus button anhalten"}},
            {"Tab into the board",
             [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); },
             {"Focus table Tafel der Reste", "Focus cell 0"}},
            {"Down", [view] { QTest::keyClick(view, Qt::Key_Down); }, {"Focus cell 25"}},
            {"click on cell 34", [&] { clickCell(34); },
             QStringList{"Focus cell 34"} + editor("A", "34") +
                 QStringList{"TextCaretMoved editor A 34", "TextInserted editor A 34"}},
            {"Escape",
             [view] { QTest::keyClick(view->editor(), Qt::Key_Escape); },
             {"TextUpdated editor A 34", "Focus table Tafel der Reste", "ObjectHide editor A 34",
              "Focus cell 34"}},
            {"Enter", [view] { QTest::keyClick(view, Qt::Key_Return); },
             editor("B", "34") +
                 QStringList{"TextCaretMoved editor B 34", "TextInserted editor B 34"}},
            {"click on cell 35 while editing", [&] { clickCell(35); },
             QStringList{"ObjectHide editor B 34", "Focus table Tafel der Reste", "Focus cell 35"} +
                 editor("A", "35") +
                 QStringList{"TextCaretMoved editor A 35", "TextRemoved editor A 35"}},
        };
        QAccessible::installUpdateHandler(record);
        for (const Step& step : conversation) {
            g_seen.clear();
            step.act();
            QTest::qWait(20);  // the current cell is told from the event loop
            QStringList told;
            for (const Seen& seen : g_seen) {
                if (!seen.line.isEmpty()) told << seen.line;
            }
            if (told != step.told) {
                QFAIL(
                    qPrintable(QStringLiteral("%1:\n  told:     %2\n  expected: %3")
                                   .arg(QLatin1String(step.what), told.join(QStringLiteral(" | ")),
                                        step.told.join(QStringLiteral(" | ")))));
            }
        }
    }

    void controlsHaveGermanNames_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("Text2") << "Text2"
                               << "Modul m";
        QTest::newRow("Text5") << "Text5"
                               << "Differenz d";
        QTest::newRow("Text3") << "Text3"
                               << "Primfaktorzerlegung";
        QTest::newRow("VScroll1") << "VScroll1"
                                  << "Modul";
        QTest::newRow("VScroll2") << "VScroll2"
                                  << "Differenz";
        QTest::newRow("VScroll3") << "VScroll3" << QString::fromUtf8("Tafel blättern");
        QTest::newRow("Command4") << "Command4"
                                  << "anhalten";
        QTest::newRow("Command1") << "Command1"
                                  << QString::fromUtf8("nächster Modul mit nur trivialer Progr.");
    }
    void controlsHaveGermanNames() {
        QFETCH(QString, control);
        QFETCH(QString, name);
        auto* widget = m_form->findChild<QWidget*>(control);
        QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);
    }

    void theModulusBoxIsLabelledByItsLabel() {
        auto* label = control<QLabel>(*m_form, "Label3");
        QCOMPARE(label->buddy(), control<QWidget>(*m_form, "Text2"));
        const auto relations =
            QAccessible::queryAccessibleInterface(control<QWidget>(*m_form, "Text2"))
                ->relations(QAccessible::Label);
        QVERIFY(!relations.isEmpty());
        QCOMPARE(relations.first().first->object(), label);
    }

private:
    static void verifyListedByItsParent(QAccessibleInterface* iface) {
        QAccessibleInterface* parent = iface->parent();
        QVERIFY(parent != nullptr);
        const int index = parent->indexOfChild(iface);
        QVERIFY2(index >= 0, qPrintable(iface->text(QAccessible::Name)));
        QCOMPARE(parent->child(index), iface);
    }
    QAccessibleInterface* tableOf() const {
        return QAccessible::queryAccessibleInterface(board(*m_form));
    }
    static QStringList names(QAccessible::Event type) {
        QStringList result;
        for (const Seen& seen : g_seen) {
            if (seen.type == type) result << seen.name;
        }
        return result;
    }
    static int count(QAccessible::Event type) {
        return static_cast<int>(std::count_if(g_seen.begin(), g_seen.end(),
                                              [type](const Seen& s) { return s.type == type; }));
    }

    std::unique_ptr<Form1> m_form;
};

QTEST_MAIN(BoardAccessibleTest)
#include "board_accessible_test.moc"
