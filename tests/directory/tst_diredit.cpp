#include "directory/diredit.h"
#include "directory/direditmodel.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {
// Entries E0 .. E(n-1) with comments c0 ...
DirectoryListing listingOf(int entries) {
    DirectoryListing l{QStringLiteral("/cd/")};
    for (int i = 0; i < entries; ++i)
        l << QStringLiteral("E%1").arg(i) << QStringLiteral("c%1").arg(i);
    return l;
}

QStringList column(const TDlgVerzEdit& editor, int grid) {
    const QAbstractItemModel* m = editor.Grids[grid]->model();
    QStringList out{m->headerData(0, Qt::Horizontal).toString()};
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, 0).data().toString();
    return out;
}

QStringList names(const DirectoryListing& l) {
    QStringList out;
    for (qsizetype i = 1; i < l.size(); i += 2)
        out << l[i];
    return out;
}
} // namespace

class TestVerzEdit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layouts_data();
    void layouts();
    void deleting_data();
    void deleting();
    void readOnlyToggle();
    void pairsScrollAndSelectTogether();
    void missingLastCommentLineIsAdded();
    void keys();
};

// R = 3 rows per column, 13 entries: entry 12 = 4·R is shown nowhere.
void TestVerzEdit::layouts_data() {
    QTest::addColumn<int>("kommentare");
    QTest::addColumn<QList<QStringList>>("grids");
    QTest::addColumn<QList<bool>>("visible");
    QTest::newRow("0:4") << 0
                         << QList<QStringList>{{"Dir.1", "E0", "E1", "E2"},
                                               {"Dir.2", "E3", "E4", "E5"},
                                               {"Dir.3", "E6", "E7", "E8"},
                                               {"Dir.4", "E9", "E10", "E11"}}
                         << QList<bool>{true, true, true, true};
    QTest::newRow("2:2") << 1
                         << QList<QStringList>{{"Dir.1", "E0", "E1", "E2"},
                                               {"", "c0", "c1", "c2"},
                                               {"Dir.2", "E3", "E4", "E5"},
                                               {"", "c3", "c4", "c5"}}
                         << QList<bool>{true, true, true, true};
    QTest::newRow("3:1") << 2
                         << QList<QStringList>{{"Dir.", "E0", "E1", "E2"}, {"", "c0", "c1", "c2"}}
                         << QList<bool>{true, true, false, false};
}

void TestVerzEdit::layouts() {
    QFETCH(int, kommentare);
    QFETCH(QList<QStringList>, grids);
    QFETCH(QList<bool>, visible);
    DirectoryListing listing = listingOf(13);
    TDlgVerzEdit editor;
    editor.configure(kommentare, 3);
    editor.setListing(&listing, {});
    editor.show();
    for (int g = 0; g < grids.size(); ++g)
        QCOMPARE(column(editor, g), grids[g]);
    for (int g = 0; g < 4; ++g) {
        QCOMPARE(editor.Grids[g]->isVisible(), visible[g]);
        QCOMPARE(editor.Grids[g]->x(), 4 + 152 * g);
        // Names are never editable, comments are.
        const bool comments = editor.Model.grid(g).content == VerzEditModel::Comments;
        QCOMPARE(bool(editor.Grids[g]->model()->index(0, 0).flags() & Qt::ItemIsEditable),
                 comments);
    }
    QCOMPARE(editor.Grids[1]->width(), kommentare == 2 ? 452 : 148);
    QCOMPARE(editor.Grids[0]->rowHeight(0), 20);
    QCOMPARE(editor.size(), QSize(612, 423));
    editor.PopupBeendenClick();
    QCOMPARE(listing, listingOf(13)); // entry 12 is kept
}

void TestVerzEdit::deleting_data() {
    QTest::addColumn<int>("kommentare");
    QTest::addColumn<int>("focused");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QStringList>("left");
    // R = 3, 8 entries E0..E7.
    QTest::newRow("0:4, grid 2, rows 1-2")
        << 0 << 1 << 0 << 1 << false << QStringList{"E0", "E1", "E2", "E5", "E6", "E7"};
    QTest::newRow("0:4, grid 3 past the last entry")
        << 0 << 2 << 1 << 2 << false << QStringList{"E0", "E1", "E2", "E3", "E4", "E5", "E6"};
    QTest::newRow("0:4, grid 4 only empty rows")
        << 0 << 3 << 0 << 2 << false << QStringList{"E0", "E1", "E2", "E3", "E4", "E5", "E6", "E7"};
    QTest::newRow("2:2, comment grid 4 decides by grid 3")
        << 1 << 3 << 0 << 0 << false << QStringList{"E0", "E1", "E2", "E4", "E5", "E6", "E7"};
    QTest::newRow("2:2, comment grid 2 decides by grid 1")
        << 1 << 1 << 1 << 2 << false << QStringList{"E0", "E3", "E4", "E5", "E6", "E7"};
    QTest::newRow("read-only deletes nothing")
        << 0 << 0 << 0 << 2 << true << QStringList{"E0", "E1", "E2", "E3", "E4", "E5", "E6", "E7"};
}

void TestVerzEdit::deleting() {
    QFETCH(int, kommentare);
    QFETCH(int, focused);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(bool, readOnly);
    QFETCH(QStringList, left);
    DirectoryListing listing = listingOf(8);
    TDlgVerzEdit editor;
    editor.Model.NurLesen = readOnly;
    editor.configure(kommentare, 3);
    editor.setListing(&listing, {});
    editor.FormShow();
    editor.setFocusedGrid(focused);
    editor.select(focused, top, bottom);
    editor.PopupLoeschenClick();
    QCOMPARE(names(listing), left);
    QCOMPARE(listing.size(), 1 + 2 * left.size());
    for (qsizetype i = 1; i < listing.size(); i += 2) // every entry keeps its own comment
        QCOMPARE(listing[i + 1], "c" + listing.at(i).mid(1));
    if (!readOnly) // the deciding grid keeps its top row selected
        QCOMPARE(editor.selectionOf(editor.Model.decidingGrid(focused)), qMakePair(top, top));
}

void TestVerzEdit::readOnlyToggle() {
    DirectoryListing listing = listingOf(4);
    TDlgVerzEdit editor;
    editor.configure(1, 3);
    editor.setListing(&listing, {});
    editor.FormShow();
    QAbstractItemModel* comments = editor.Grids[1]->model();
    for (bool on : {true, false}) {
        (on ? editor.BtnNurLesen : editor.BtnEntriegeln)->click();
        QCOMPARE(editor.PopupNurLesen->isChecked(), on);
        QCOMPARE(editor.PopupLoeschen->isEnabled(), !on);
        QCOMPARE(editor.BtnLoeschen->isEnabled(), !on);
        QCOMPARE(editor.BtnNurLesen->isEnabled(), !on);
        QCOMPARE(editor.BtnEntriegeln->isEnabled(), on);
        QCOMPARE(bool(comments->index(0, 0).flags() & Qt::ItemIsEditable), !on);
        QCOMPARE(comments->setData(comments->index(0, 0), "typed"), !on);
    }
    QCOMPARE(listing[2], QStringLiteral("typed"));
    const QList<QAction*> menu = editor.PopupMenu->actions();
    QCOMPARE(menu.size(), 5);
    QVERIFY(menu[1]->isSeparator() && menu[3]->isSeparator());
    QCOMPARE(menu[4], editor.PopupBeenden);
    QCOMPARE(editor.PopupBeenden->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
}

void TestVerzEdit::pairsScrollAndSelectTogether() {
    DirectoryListing listing = listingOf(200);
    TDlgVerzEdit editor;
    editor.configure(1, 60);
    editor.setListing(&listing, {});
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.select(0, 5, 7);
    QCOMPARE(editor.selectionOf(1), qMakePair(5, 7));
    editor.Grids[1]->verticalScrollBar()->setValue(10);
    QCOMPARE(editor.Grids[0]->verticalScrollBar()->value(), 10);
    editor.select(3, 2, 2);
    QCOMPARE(editor.selectionOf(2), qMakePair(2, 2));
    QCOMPARE(editor.selectionOf(0), qMakePair(5, 7)); // the other pair is left alone
}

void TestVerzEdit::missingLastCommentLineIsAdded() {
    DirectoryListing listing{"/cd/", "A", "", "B"}; // a foreign file without the last line
    VerzEditModel model;
    model.configure(2, 5);
    model.setListing(&listing);
    QCOMPARE(model.cell(1, 1), QString());
    QVERIFY(model.setCell(1, 1, "note"));
    QVERIFY(!model.setCell(1, 2, "no entry"));
    QVERIFY(!model.setCell(0, 0, "a name"));
    QCOMPARE(listing, (DirectoryListing{"/cd/", "A", "", "B", "note"}));
}

// Keys as a user presses them in the shown editor ("2:2", R = 3).
void TestVerzEdit::keys() {
    DirectoryListing listing{"/cd/", "Alpha", "", "Beta", "", "Bravo", "", "Delta", ""};
    TDlgVerzEdit editor;
    editor.configure(1, 3);
    editor.setListing(&listing, {});
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QTableView* nameGrid = editor.Grids[0];
    nameGrid->setFocus();
    editor.select(0, 1, 1);
    QTest::keyClick(nameGrid, Qt::Key_B); // no jump to the next name with that letter
    QCOMPARE(editor.selectionOf(0), qMakePair(1, 1));
    QTest::keyClick(nameGrid, Qt::Key_Tab); // from the name to its comment
    QTRY_COMPARE(QApplication::focusWidget(), editor.Grids[1]);
    QCOMPARE(editor.selectionOf(1), qMakePair(1, 1));
    for (const char c : QByteArray("note"))
        QTest::keyClick(QApplication::focusWidget(), c); // the first opens the cell's editor
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(listing[4], QStringLiteral("note")); // the cell is committed after the key
    nameGrid->setFocus();
    editor.select(0, 2, 2);
    QTest::keyClick(nameGrid, Qt::Key_Delete); // as the Delete button
    QCOMPARE(names(listing), (QStringList{"Alpha", "Beta", "Delta"}));
}

QTEST_MAIN(TestVerzEdit)
#include "tst_diredit.moc"
