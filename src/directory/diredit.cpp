#include "directory/diredit.h"
#include "directory/editgridmodel.h"
#include "platform/glyphs.h"
#include "platform/interfacetext.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>

#include <limits>

namespace {
// A cell is edited whole, however long (a line edit would cut it at 32,767 characters).
class WholeTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setMaxLength(std::numeric_limits<int>::max());
        return editor;
    }
};

// A flat tool button that never takes the focus, so the grid that decides a deletion
// keeps it.
QToolButton* speedButton(QWidget* parent, EditGlyph kind, int hintId, int x) {
    auto* b = new QToolButton(parent);
    b->setIcon(editGlyph(kind));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(x, 3, 25, 25);
    if (hintId) SetTextId(b, hintId);
    return b;
}
} // namespace

TDlgVerzEdit::TDlgVerzEdit(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DlgVerzEdit"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    SetTextId(this, 200);
    setFixedSize(612, 423);

    BtnNurLesen = speedButton(this, EditGlyph::ReadOnly, 221, 4);
    BtnEntriegeln = speedButton(this, EditGlyph::Unlock, 222, 30);
    BtnEntriegeln->setEnabled(false);
    BtnLoeschen = speedButton(this, EditGlyph::Delete, 223, 62);
    BtnSchliessen = speedButton(this, EditGlyph::Close, 0, 612 - 29);
    BtnNurLesen->setObjectName(QStringLiteral("BtnNurLesen"));
    BtnEntriegeln->setObjectName(QStringLiteral("BtnEntriegeln"));
    BtnLoeschen->setObjectName(QStringLiteral("BtnLoeschen"));
    BtnSchliessen->setObjectName(QStringLiteral("BtnSchliessen"));

    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    static const int kX[4] = {4, 156, 308, 460};
    for (int g = 0; g < 4; ++g) {
        auto* view = new QTableView(this);
        view->setObjectName(QStringLiteral("GridSpalte%1").arg(g + 1));
        models_[g] = new EditGridModel(Model, g, view);
        view->setModel(models_[g]);
        view->setItemDelegate(new WholeTextDelegate(view));
        view->setFont(font);
        view->setGeometry(kX[g], 36, 148, 381);
        view->verticalHeader()->hide();
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setDefaultSectionSize(20);
        view->verticalHeader()->setMinimumSectionSize(20);
        view->horizontalHeader()->setFixedHeight(20);
        view->horizontalHeader()->setStretchLastSection(true); // the cell fills the grid
        view->horizontalHeader()->setHighlightSections(false);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::ContiguousSelection);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
        view->setWordWrap(false);
        view->setContextMenuPolicy(Qt::NoContextMenu); // the window's pop-up menu serves
        view->installEventFilter(this);
        Grids[g] = view;
        connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this,
                [this, g] { GridTopLeftChanged(g); });
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, g] { syncSelection(g); });
    }

    PopupMenu = new QMenu(this);
    PopupNurLesen = PopupMenu->addAction(QStringLiteral("81"));
    SetTextId(PopupNurLesen, 81);
    PopupNurLesen->setCheckable(true);
    PopupMenu->addSeparator();
    PopupLoeschen = PopupMenu->addAction(QStringLiteral("85"));
    SetTextId(PopupLoeschen, 85);
    PopupMenu->addSeparator();
    PopupBeenden = PopupMenu->addAction(QStringLiteral("87"));
    SetTextId(PopupBeenden, 87);
    PopupBeenden->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    PopupBeenden->setShortcutContext(Qt::WindowShortcut);
    addAction(PopupBeenden); // Alt+X works without opening the menu

    setContextMenuPolicy(Qt::CustomContextMenu); // the tool bar's pop-up menu too
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu->exec(mapToGlobal(at)); });
    connect(PopupNurLesen, &QAction::triggered, this, [this] { PopupNurLesenClick(); });
    connect(BtnNurLesen, &QToolButton::clicked, this, [this] { PopupNurLesenClick(); });
    connect(BtnEntriegeln, &QToolButton::clicked, this, [this] { PopupNurLesenClick(); });
    connect(PopupLoeschen, &QAction::triggered, this, [this] { PopupLoeschenClick(); });
    connect(BtnLoeschen, &QToolButton::clicked, this, [this] { PopupLoeschenClick(); });
    connect(PopupBeenden, &QAction::triggered, this, [this] { PopupBeendenClick(); });
    connect(BtnSchliessen, &QToolButton::clicked, this, [this] { PopupBeendenClick(); });
    RegisterTranslatedWindow(this);
}

void TDlgVerzEdit::configure(int kommentare, int rowsPerColumn) {
    Model.configure(kommentare, rowsPerColumn);
    for (int g = 0; g < 4; ++g) {
        const VerzEditModel::Grid& grid = Model.grid(g);
        Grids[g]->setVisible(grid.content != VerzEditModel::Hidden);
        Grids[g]->resize(grid.width, Grids[g]->height());
        // The cell width leaves the frame its two pixels.
        Grids[g]->horizontalHeader()->resizeSection(
            0, grid.width - 2 - Grids[g]->verticalScrollBar()->sizeHint().width());
    }
    refill();
}

void TDlgVerzEdit::setListing(DirectoryListing* listing, const TFormatVerzeichnis& format) {
    Format = format;
    Model.setListing(listing);
    refill();
}

void TDlgVerzEdit::refill() {
    for (EditGridModel* m : models_)
        m->refill();
}

void TDlgVerzEdit::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TDlgVerzEdit::FormShow() {
    applyReadOnly();
    refill();
    for (int g = 0; g < 4; ++g) {
        select(g, 0, 0);
        Grids[g]->scrollToTop();
    }
    setFocusedGrid(0);
}

void TDlgVerzEdit::FormClose() {
    // A comment still being typed belongs to the listing too.
    // The item delegate's editor is the only line edit inside a grid, and only while typing.
    for (QTableView* view : Grids) {
        for (QLineEdit* editor : view->viewport()->findChildren<QLineEdit*>()) {
            Q_EMIT view->itemDelegate()->commitData(editor);
            Q_EMIT view->itemDelegate()->closeEditor(editor);
        }
    }
}

void TDlgVerzEdit::closeEvent(QCloseEvent* event) {
    FormClose();
    QDialog::closeEvent(event);
}

void TDlgVerzEdit::done(int result) {
    FormClose();
    QDialog::done(result);
}

bool TDlgVerzEdit::eventFilter(QObject* watched, QEvent* event) {
    for (int g = 0; g < 4; ++g) {
        if (watched != Grids[g]) continue;
        if (event->type() == QEvent::FocusIn) lastFocused_ = g;
        if (event->type() == QEvent::KeyPress && gridKey(g, *static_cast<QKeyEvent*>(event)))
            return true;
        if (event->type() == QEvent::ContextMenu) {
            lastFocused_ = g;
            PopupMenu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Keys of a grid that has the focus (not of a cell being typed): Tab goes from a name to its
// comment, Delete deletes as the Delete button does, and letters in a name grid do nothing
// (they would jump to the next name with that letter).
bool TDlgVerzEdit::gridKey(int g, const QKeyEvent& key) {
    const bool names = Model.grid(g).content == VerzEditModel::Names;
    const int partner = Model.partner(g);
    if (key.key() == Qt::Key_Tab && key.modifiers() == Qt::NoModifier && names && partner >= 0) {
        const int row = std::max(Grids[g]->currentIndex().row(), 0);
        Grids[partner]->setFocus(Qt::TabFocusReason);
        select(partner, row, row);
        return true;
    }
    if (key.key() == Qt::Key_Delete && key.modifiers() == Qt::NoModifier) {
        PopupLoeschenClick();
        return true;
    }
    const bool typed = !key.text().isEmpty() && key.text().front().isPrint() &&
                       !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    return names && typed;
}

void TDlgVerzEdit::setFocusedGrid(int grid) {
    lastFocused_ = grid;
    if (isVisible() && Grids[grid]->isVisible()) Grids[grid]->setFocus();
}

QPair<int, int> TDlgVerzEdit::selectionOf(int grid) const {
    const QItemSelectionModel* sel = Grids[grid]->selectionModel();
    int top = -1, bottom = -1;
    for (const QItemSelectionRange& r : sel->selection()) {
        top = top < 0 ? r.top() : std::min(top, r.top());
        bottom = std::max(bottom, r.bottom());
    }
    if (top < 0) {
        const int current = std::max(sel->currentIndex().row(), 0);
        top = bottom = current;
    }
    return {top, bottom};
}

void TDlgVerzEdit::select(int grid, int top, int bottom) {
    QAbstractItemModel* m = models_[grid];
    if (m->rowCount() == 0) return;
    top = std::clamp(top, 0, m->rowCount() - 1);
    bottom = std::clamp(bottom, top, m->rowCount() - 1);
    QItemSelectionModel* sel = Grids[grid]->selectionModel();
    sel->setCurrentIndex(m->index(top, 0), QItemSelectionModel::NoUpdate);
    sel->select(QItemSelection(m->index(top, 0), m->index(bottom, 0)),
                QItemSelectionModel::ClearAndSelect);
}

void TDlgVerzEdit::applyReadOnly() {
    const bool on = Model.NurLesen;
    PopupNurLesen->setChecked(on);
    PopupLoeschen->setEnabled(!on);
    BtnLoeschen->setEnabled(!on);
    BtnNurLesen->setEnabled(!on);
    BtnEntriegeln->setEnabled(on);
    for (QTableView* view : Grids)
        view->setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                                 : QAbstractItemView::DoubleClicked |
                                       QAbstractItemView::EditKeyPressed |
                                       QAbstractItemView::AnyKeyPressed);
}

void TDlgVerzEdit::PopupNurLesenClick() {
    FormClose();
    Model.NurLesen = !Model.NurLesen;
    applyReadOnly();
    refill();
}

void TDlgVerzEdit::PopupLoeschenClick() {
    if (Model.NurLesen) return;
    FormClose(); // the comments first, so none is lost with the rows that move up
    const int g = Model.decidingGrid(lastFocused_);
    const auto [top, bottom] = selectionOf(g);
    Model.deleteRows(g, top, bottom);
    refill();
    select(g, top, top);
}

void TDlgVerzEdit::PopupBeendenClick() {
    accept();
}

// Layouts "2:2" and "3:1": a name grid and its comment grid scroll and select together.
void TDlgVerzEdit::GridTopLeftChanged(int grid) {
    const int partner = Model.partner(grid);
    if (partner < 0 || syncing_) return;
    syncing_ = true;
    Grids[partner]->verticalScrollBar()->setValue(Grids[grid]->verticalScrollBar()->value());
    syncing_ = false;
}

void TDlgVerzEdit::syncSelection(int grid) {
    const int partner = Model.partner(grid);
    if (partner < 0 || syncing_) return;
    const auto mine = selectionOf(grid);
    if (selectionOf(partner) == mine) return;
    syncing_ = true;
    select(partner, mine.first, mine.second);
    syncing_ = false;
}
