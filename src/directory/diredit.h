#pragma once
#include "directory/direditmodel.h"
#include "document/formats.h"

#include <QDialog>

class EditGridModel;
class QAction;
class QKeyEvent;
class QMenu;
class QTableView;
class QToolButton;

// The grid editor: the listing in up to four one-column grids exactly as the columns lie on
// the cover, with comment grids beside the name grids in the layouts "2:2" and "3:1".
// Created once; the read-only state holds between openings.
class TDlgVerzEdit : public QDialog {
    Q_OBJECT
public:
    explicit TDlgVerzEdit(QWidget* parent = nullptr);

    // Sets the grids up for the layout and RowsPerColumn (BtnBearbeitenClick, step 1).
    void configure(int kommentare, int rowsPerColumn);
    // Works on listing itself; the format copy picks the layout.
    void setListing(DirectoryListing* listing, const TFormatVerzeichnis& format);

    // FormShow runs at every show; tests may call it on a window that is not shown.
    void FormShow();
    void FormClose(); // commits a comment being typed
    void PopupNurLesenClick();
    void PopupLoeschenClick();
    void PopupBeendenClick();

    // The selection of a grid as first and last data row (0-based).
    QPair<int, int> selectionOf(int grid) const;
    void select(int grid, int top, int bottom);
    int focusedGrid() const { return lastFocused_; }
    void setFocusedGrid(int grid);

    VerzEditModel Model;
    TFormatVerzeichnis Format;
    QTableView* Grids[4] = {};
    QToolButton* BtnNurLesen = nullptr;
    QToolButton* BtnEntriegeln = nullptr;
    QToolButton* BtnLoeschen = nullptr;
    QToolButton* BtnSchliessen = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* PopupNurLesen = nullptr;
    QAction* PopupLoeschen = nullptr;
    QAction* PopupBeenden = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refill();
    void applyReadOnly();
    void GridTopLeftChanged(int grid);
    void syncSelection(int grid);
    bool gridKey(int grid, const QKeyEvent& key);

    EditGridModel* models_[4] = {};
    int lastFocused_ = 0;
    bool syncing_ = false;
};
