#pragma once
#include "document/directorylisting.h"

#include <QString>

// The grid editor's rules without its widgets: which of the four one-column grids show
// what for a comment layout, which listing line a cell stands for, deleting by a grid's
// selection and the read-only state. Cells are read from and written into the listing
// itself, so a typed comment is in the listing at once; nothing past the listing's last
// line is ever addressed.
class VerzEditModel {
public:
    enum Content { Hidden, Names, Comments };
    struct Grid {
        Content content = Hidden;
        int width = 148;
        QString header;
        int entryOffset = 0; // the entry shown in the grid's first row
    };

    // kommentare: 0 "0:4", 1 "2:2", 2 "3:1"; rows: RowsPerColumn (negative gives none).
    void configure(int kommentare, int rows);
    int kommentare() const { return kommentare_; }
    int rows() const { return rows_; }
    const Grid& grid(int g) const { return grids_[g]; }
    // The partner of a grid in layouts 1 and 2 (1 with 2, 3 with 4), or -1.
    int partner(int g) const;

    void setListing(DirectoryListing* listing) { listing_ = listing; }
    DirectoryListing* listing() const { return listing_; }

    // Row 0 is the first data row (below the header).
    QString cell(int g, int row) const;
    bool editable(int g) const { return grids_[g].content == Comments && !NurLesen; }
    bool hasEntry(int g, int row) const { return lineOf(g, row) >= 0; }
    // Writes a comment; false for name cells, read-only and cells without an entry.
    bool setCell(int g, int row, const QString& text);

    // The grid whose selection a deletion takes: in layout 0 the focused grid, in layouts 1
    // and 2 the name grid of the focused pair.
    int decidingGrid(int focusedGrid) const;
    // Deletes the entries of rows top..bottom of grid (0-based), stopping at the last entry;
    // nothing while read-only. False when nothing was deleted.
    bool deleteRows(int grid, int top, int bottom);

    bool NurLesen = false;

private:
    int lineOf(int g, int row) const; // the listing line of a cell, or -1
    int kommentare_ = 0;
    int rows_ = 0;
    Grid grids_[4];
    DirectoryListing* listing_ = nullptr;
};
