// The board from the keyboard alone: one tab stop, a current cell the keys
// move and the board scrolls to, and editing a cell as a grid does.
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QTimer>

#include "board/board_scrolling.h"
#include "form_driver.h"

using namespace apqr;
using namespace apqr::ui;
using namespace apqr::ui::test;

namespace {

// A key, or an event of an input method (or of the compose input context
// after a dead key): text it is still composing, text it commits; both
// empty, the composition dropped.
struct Key {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    bool inputMethod = false;
    QString preedit{};
    QString commit{};
};

Key composing(const QString& preedit, const QString& commit) {
    return {Qt::Key_unknown, Qt::NoModifier, true, preedit, commit};
}

// Presses and releases a key as the keyboard sends it, or sends an input
// method's event where the focus is, as for a person. QTest has no text for
// a dead key; without a compose input context it comes with none.
void pressKey(QWidget* widget, const Key& key) {
    if (key.inputMethod) {
        QInputMethodEvent event(key.preedit, {});
        event.setCommitString(key.commit);
        QApplication::sendEvent(QGuiApplication::focusObject(), &event);
    } else if (key.key >= Qt::Key_Dead_Grave && key.key <= Qt::Key_Dead_Longsolidusoverlay) {
        QTest::sendKeyEvent(QTest::Click, widget, key.key, QString(), key.modifiers);
    } else {
        QTest::keyClick(widget, key.key, key.modifiers);
    }
}

}  // namespace

Q_DECLARE_METATYPE(Key)
Q_DECLARE_METATYPE(QList<Key>)

class BoardKeysTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_form = openForm();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void cleanup() { m_form.reset(); }

    void tabEntersAndLeavesTheBoardAsOneStop() {
        auto* view = board(*m_form);
        control<QWidget>(*m_form, "Command4")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), view);
        QCOMPARE(view->currentCell(), 0);
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("VScroll3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), view);
        QTest::keyClick(view, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command4"));
    }

    // Each key from a start cell, on boards whose last row is short or full.
    void keysMoveTheCurrentCell_data() {
        QTest::addColumn<int>("modulus");
        QTest::addColumn<int>("start");
        QTest::addColumn<Key>("key");
        QTest::addColumn<int>("expected");
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        QTest::newRow("right") << 30 << 3 << Key{Qt::Key_Right} << 4;
        QTest::newRow("right wraps into the next row") << 30 << 24 << Key{Qt::Key_Right} << 25;
        QTest::newRow("right at the last cell") << 30 << 29 << Key{Qt::Key_Right} << 29;
        QTest::newRow("left at cell 0") << 30 << 0 << Key{Qt::Key_Left} << 0;
        QTest::newRow("left") << 30 << 25 << Key{Qt::Key_Left} << 24;
        QTest::newRow("down a row") << 30 << 4 << Key{Qt::Key_Down} << 29;
        QTest::newRow("down where the short row ends") << 30 << 5 << Key{Qt::Key_Down} << 5;
        QTest::newRow("up in the first row") << 30 << 3 << Key{Qt::Key_Up} << 3;
        QTest::newRow("up a row") << 30 << 28 << Key{Qt::Key_Up} << 3;
        QTest::newRow("home") << 30 << 27 << Key{Qt::Key_Home} << 25;
        QTest::newRow("end of a full row") << 30 << 3 << Key{Qt::Key_End} << 24;
        QTest::newRow("end of the short row") << 30 << 26 << Key{Qt::Key_End} << 29;
        QTest::newRow("ctrl+home") << 30 << 27 << Key{Qt::Key_Home, ctrl} << 0;
        QTest::newRow("ctrl+end") << 30 << 3 << Key{Qt::Key_End, ctrl} << 29;
        // The frame shows 23 rows of cells.
        QTest::newRow("page down") << 3000 << 3 << Key{Qt::Key_PageDown} << 23 * 25 + 3;
        QTest::newRow("page down stops at the last row")
            << 2990 << 2960 << Key{Qt::Key_PageDown} << 2985;
        QTest::newRow("page down below the short row")
            << 2990 << 2970 << Key{Qt::Key_PageDown} << 2989;
        QTest::newRow("page up") << 3000 << 30 * 25 + 7 << Key{Qt::Key_PageUp} << 7 * 25 + 7;
        QTest::newRow("page up stops at the first row") << 3000 << 30 << Key{Qt::Key_PageUp} << 5;
        // A dead key without a compose input context comes with no text.
        QTest::newRow("a dead key alone") << 30 << 3 << Key{Qt::Key_Dead_Circumflex} << 3;
    }
    void keysMoveTheCurrentCell() {
        QFETCH(int, modulus);
        QFETCH(int, start);
        QFETCH(Key, key);
        QFETCH(int, expected);
        buildFor(*m_form, QString::number(modulus));
        auto* view = goToCell(start);
        pressKey(view, key);
        QCOMPARE(view->currentCell(), expected);
        QCOMPARE(QApplication::focusWidget(), view);
        verifyCurrentCellInSight();
    }

    // Moving within what is in sight leaves the board where it is; the board
    // scrolls only as far as the cell needs.
    void theBoardScrollsOnlyAsFarAsNeeded() {
        buildFor(*m_form, QStringLiteral("3000"));
        auto* view = goToCell(0);
        auto* bar = control<QScrollBar>(*m_form, "VScroll3");
        const int designTop = view->y();
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->y(), designTop);  // still where the layout put it

        for (int row = 1; row < 23; ++row) QTest::keyClick(view, Qt::Key_Down);
        verifyCurrentCellInSight();
        const int lowered = bar->value();
        // One row further down moves the board by about one row, not a page.
        QTest::keyClick(view, Qt::Key_Down);
        verifyCurrentCellInSight();
        QVERIFY(bar->value() - lowered <= 5);
        QVERIFY(bar->value() > lowered);
        // Just far enough to show cell 0 whole: its top at the frame's top.
        QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(bar->value(), 6);
        verifyCurrentCellInSight();
    }

    // Focus stays on its cell through a rebuild while that cell exists.
    void aRebuildKeepsOrClampsTheCurrentCell_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("rebuiltFor");
        QTest::addColumn<int>("expected");
        QTest::newRow("still there") << 20 << "30" << 20;
        QTest::newRow("gone: the last cell") << 40 << "30" << 29;
        QTest::newRow("gone: refused text becomes 3") << 40 << "abc" << 2;
    }
    void aRebuildKeepsOrClampsTheCurrentCell() {
        QFETCH(int, start);
        QFETCH(QString, rebuiltFor);
        QFETCH(int, expected);
        buildFor(*m_form, QStringLiteral("50"));
        goToCell(start);
        buildFor(*m_form, rebuiltFor);
        auto* view = board(*m_form);
        QCOMPARE(view->currentCell(), expected);
        view->setFocus(Qt::TabFocusReason);
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(view->currentCell(), std::min(expected + 1, view->board().cellCount() - 1));
    }

    // What reaches the model and where the focus goes, for each way into
    // and out of a cell's editor. Cell 4 of m = 9 is red with "3" after the
    // search; cell 5 is white and empty.
    void editingACellFromTheKeyboard_data() {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QList<Key>>("keys");
        QTest::addColumn<QString>("typed");  // after the keys, into the editor
        QTest::addColumn<QList<Key>>("closing");
        QTest::addColumn<QString>("text");  // the cell's text in the model
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("current");
        using L = QList<Key>;
        const L none;
        const L enter{{Qt::Key_Return}};
        QTest::newRow("typing replaces") << 4 << none << "57" << enter << "57"
                                         << "picTafel" << 4;
        QTest::newRow("F2 appends") << 4 << L{{Qt::Key_F2}} << "1" << enter << "31"
                                    << "picTafel" << 4;
        QTest::newRow("Enter appends") << 4 << enter << "1" << L{{Qt::Key_Enter}} << "31"
                                       << "picTafel" << 4;
        QTest::newRow("Escape restores") << 4 << none << "99" << L{{Qt::Key_Escape}} << "3"
                                         << "picTafel" << 4;
        QTest::newRow("Escape after F2 restores")
            << 4 << L{{Qt::Key_F2}} << "9" << L{{Qt::Key_Escape}} << "3"
            << "picTafel" << 4;
        QTest::newRow("Tab commits and leaves") << 5 << none << "x" << L{{Qt::Key_Tab}} << "x"
                                                << "VScroll3" << 5;
        QTest::newRow("Shift+Tab commits and leaves")
            << 5 << none << "x" << L{{Qt::Key_Backtab, Qt::ShiftModifier}} << "x"
            << "Command4" << 5;
        QTest::newRow("Up commits, stays in the first row")
            << 5 << none << "x" << L{{Qt::Key_Up}} << "x"
            << "picTafel" << 5;
        QTest::newRow("Down commits, no cell below") << 5 << none << "x" << L{{Qt::Key_Down}} << "x"
                                                     << "picTafel" << 5;
        // As the compose input context sends it: the dead key as a key
        // without text, the letter after it as the composed character.
        QTest::newRow("a dead key and a letter replace")
            << 4 << L{{Qt::Key_Dead_Circumflex}, composing("", "ê")} << "" << enter << "ê"
            << "picTafel" << 4;
        QTest::newRow("a dead key and a letter, typing goes on")
            << 5 << L{{Qt::Key_Dead_Acute}, composing("", "é")} << "t" << enter << "ét"
            << "picTafel" << 5;
        QTest::newRow("an input method composes, then commits")
            << 4 << L{composing("n", ""), composing("ni", ""), composing("", "你")} << "" << enter
            << "你" << "picTafel" << 4;
        QTest::newRow("a composition dropped keeps the text")
            << 4 << L{composing("ni", ""), composing("", "")} << "" << enter << "3"
            << "picTafel" << 4;
        QTest::newRow("a character beyond 16 bits replaces") << 4 << none << "😀" << enter << "😀"
                                                             << "picTafel" << 4;
    }
    void editingACellFromTheKeyboard() {
        QFETCH(int, cell);
        QFETCH(QList<Key>, keys);
        QFETCH(QString, typed);
        QFETCH(QList<Key>, closing);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        QFETCH(int, current);
        buildFor(*m_form, QStringLiteral("9"));
        click(*m_form, "Command2");
        auto* view = goToCell(cell);
        for (const Key& key : keys) {
            pressKey(view, key);
            // Moving the focus would end a composition.
            if (!key.preedit.isEmpty()) QCOMPARE(QApplication::focusWidget(), view);
        }
        // Each character goes where the focus is by then, as it does for a
        // person, as one key: one beyond 16 bits comes as a surrogate pair.
        for (const char32_t c : typed.toUcs4()) {
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown,
                                QString::fromUcs4(&c, 1), Qt::NoModifier);
        }
        QLineEdit* editor = view->editor();
        QVERIFY(editor->isVisible());
        QCOMPARE(QApplication::focusWidget(), editor);
        for (const Key& key : closing) QTest::keyClick(editor, key.key, key.modifiers);

        QVERIFY(!editor->isVisible());
        QCOMPARE(QString::fromStdString(view->board().cell(cell).text), text);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(view->currentCell(), current);
    }

    void upAndDownInTheEditorMoveARow() {
        buildFor(*m_form, QStringLiteral("60"));
        auto* view = goToCell(30);
        QTest::keyClicks(view, QStringLiteral("a"));
        QTest::keyClick(view->editor(), Qt::Key_Down);
        QCOMPARE(view->currentCell(), 55);
        QTest::keyClicks(view, QStringLiteral("b"));
        QTest::keyClick(view->editor(), Qt::Key_Up);
        QTest::keyClick(view, Qt::Key_Up);
        QCOMPARE(view->currentCell(), 5);
        QCOMPARE(view->board().cell(30).text, "a");
        QCOMPARE(view->board().cell(55).text, "b");
        QCOMPARE(QApplication::focusWidget(), view);
    }

    // Opening a cell while another is edited leaves each its own text.
    void clickingAnotherCellWhileEditing() {
        buildFor(*m_form, QStringLiteral("9"));
        click(*m_form, "Command2");  // cell 4 shows "3"
        auto* view = goToCell(2);
        QTest::keyClicks(view, QStringLiteral("x"));
        QTest::mouseClick(view, Qt::LeftButton, {}, view->cellRect(4).center());
        QCOMPARE(view->editor()->text(), QStringLiteral("3"));
        QCOMPARE(view->currentCell(), 4);
        QCOMPARE(view->board().cell(2).text, "x");
        QCOMPARE(view->board().cell(4).text, "3");
    }

    // Leaving the window in the middle of an edit, or opening the editor's
    // context menu, and coming back returns to the edit with the caret where
    // it was, as a text box does: the typing goes on in the cell.
    void anEditOutlivesLeavingTheWindow_data() {
        QTest::addColumn<bool>("contextMenu");  // else another window
        QTest::newRow("another window") << false;
        QTest::newRow("the editor's context menu") << true;
    }
    void anEditOutlivesLeavingTheWindow() {
        QFETCH(bool, contextMenu);
        buildFor(*m_form, QStringLiteral("51"));
        auto* view = board(*m_form);
        QTest::mouseClick(view, Qt::LeftButton, {}, view->cellRect(34).center());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab"));
        if (contextMenu) {
            QTimer::singleShot(0, [] {
                if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
            });
            const QPoint at = view->editor()->rect().center();
            QContextMenuEvent event(QContextMenuEvent::Keyboard, at,
                                    view->editor()->mapToGlobal(at));
            QApplication::sendEvent(view->editor(), &event);
        } else {
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            m_form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        }
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Z"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(view->board().cell(34).text, "abZ");
        QCOMPARE(control<QLineEdit>(*m_form, "Text2")->text(), QStringLiteral("51"));
        QCOMPARE(QApplication::focusWidget(), view);
    }

    // A rebuild while a cell is edited drops the editor; the keys stay on
    // the board instead of wandering to another control, on the same cell
    // or, where the board has shrunk below it, on the last; also when the
    // rebuild (a scan's) comes while the person is in another window.
    void aRebuildDuringAnEditDropsTheEditor_data() {
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("rebuiltFor");
        QTest::addColumn<bool>("away");
        QTest::addColumn<bool>("byInputMethod");  // an input method began the edit
        QTest::addColumn<int>("current");
        QTest::newRow("the cell stays") << 7 << 30 << false << false << 7;
        QTest::newRow("the cell is gone") << 45 << 30 << false << false << 29;
        QTest::newRow("in another window") << 7 << 30 << true << false << 7;
        QTest::newRow("while an input method composes") << 7 << 30 << false << true << 7;
    }
    void aRebuildDuringAnEditDropsTheEditor() {
        QFETCH(int, cell);
        QFETCH(int, rebuiltFor);
        QFETCH(bool, away);
        QFETCH(bool, byInputMethod);
        QFETCH(int, current);
        buildFor(*m_form, QStringLiteral("50"));
        auto* view = goToCell(cell);
        if (byInputMethod) {
            pressKey(view, composing(QStringLiteral("ni"), {}));
            // The input method shows its window at the caret of the box
            // over the cell, which the board answers for while it composes.
            const QRect caret = view->inputMethodQuery(Qt::ImCursorRectangle).toRect();
            QVERIFY(view->cellRect(cell).contains(caret));
            QVERIFY(view->hasFocus());
        } else {
            QTest::keyClicks(view, QStringLiteral("1"));
            QVERIFY(view->editor()->hasFocus());
        }
        QWidget other;
        if (away) {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }
        control<QScrollBar>(*m_form, "VScroll1")->setValue(rebuiltFor);
        if (away) {
            m_form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        }
        QVERIFY(!view->editor()->isVisible());
        QCOMPARE(QApplication::focusWidget(), view);
        QCOMPARE(view->currentCell(), current);
        QCOMPARE(view->board().cell(current).text, "");
    }

    // The frame around the current cell stands out from each cell colour:
    // some pixel of it reaches 3 : 1 against the cell's own colour.
    void theFocusFrameIsVisibleOnEveryCellColour_data() {
        QTest::addColumn<bool>("built");  // else the board of start-up
        QTest::addColumn<bool>("searched");
        QTest::addColumn<int>("cell");
        QTest::newRow("default") << false << false << 0;
        QTest::newRow("white") << true << false << 2;
        QTest::newRow("yellow") << true << false << 1;
        QTest::newRow("red") << true << true << 4;
    }
    void theFocusFrameIsVisibleOnEveryCellColour() {
        QFETCH(bool, built);
        QFETCH(bool, searched);
        QFETCH(int, cell);
        if (built) buildFor(*m_form, QStringLiteral("9"));
        if (searched) click(*m_form, "Command2");
        auto* view = goToCell(cell);
        const QImage focused = view->grab(view->cellRect(cell)).toImage();
        const QColor fill = focused.pixelColor(focused.width() / 2, 3);
        double best = 0;
        for (int x = 0; x < focused.width(); ++x) {
            best = std::max(best, contrastRatio(focused.pixelColor(x, 0), fill));
            best = std::max(best, contrastRatio(focused.pixelColor(x, 2), fill));
        }
        QVERIFY2(best >= 3, qPrintable(QString::number(best)));
        // Without the focus, the cell shows no frame.
        control<QWidget>(*m_form, "Text2")->setFocus();
        QVERIFY(view->grab(view->cellRect(cell)).toImage() != focused);
    }

private:
    // Gives the board the focus and walks to a cell with the keys.
    BoardView* goToCell(int index) {
        auto* view = board(*m_form);
        view->setFocus(Qt::TabFocusReason);
        QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
        for (int row = 0; row < index / 25; ++row) QTest::keyClick(view, Qt::Key_Down);
        for (int column = 0; column < index % 25; ++column) QTest::keyClick(view, Qt::Key_Right);
        if (view->currentCell() != index) qFatal("cannot reach cell %d", index);
        return view;
    }

    // The current cell lies whole inside the frame, and the board stands
    // where the scroll bar says.
    void verifyCurrentCellInSight() {
        auto* view = board(*m_form);
        const QRect seen = view->parentWidget()->rect();
        const QRect cell = view->cellRect(view->currentCell()).translated(view->pos());
        QVERIFY2(
            seen.contains(cell),
            qPrintable(QStringLiteral("cell %1 at y %2").arg(view->currentCell()).arg(cell.y())));
        const int value = control<QScrollBar>(*m_form, "VScroll3")->value();
        if (view->y() != px(-30)) QCOMPARE(view->y(), boardTopAt(value));
    }

    std::unique_ptr<Form1> m_form;
};

QTEST_MAIN(BoardKeysTest)
#include "board_keys_test.moc"
