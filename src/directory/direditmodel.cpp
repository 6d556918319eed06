#include "directory/direditmodel.h"

#include <algorithm>

void VerzEditModel::configure(int kommentare, int rows) {
    kommentare_ = std::clamp(kommentare, 0, 2);
    rows_ = std::max(rows, 0);
    const int r = rows_;
    switch (kommentare_) {
    case 0:
        for (int g = 0; g < 4; ++g)
            grids_[g] = {Names, 148, QStringLiteral("Dir.%1").arg(g + 1), g * r};
        break;
    case 1:
        grids_[0] = {Names, 148, QStringLiteral("Dir.1"), 0};
        grids_[1] = {Comments, 148, QString(), 0};
        grids_[2] = {Names, 148, QStringLiteral("Dir.2"), r};
        grids_[3] = {Comments, 148, QString(), r};
        break;
    default:
        grids_[0] = {Names, 148, QStringLiteral("Dir."), 0};
        grids_[1] = {Comments, 452, QString(), 0};
        grids_[2] = {Hidden, 148, QString(), r};
        grids_[3] = {Hidden, 148, QString(), r};
        break;
    }
}

int VerzEditModel::partner(int g) const {
    if (kommentare_ == 0) return -1;
    return g ^ 1;
}

int VerzEditModel::lineOf(int g, int row) const {
    if (!listing_ || g < 0 || g > 3 || row < 0 || row >= rows_) return -1;
    const Grid& grid = grids_[g];
    if (grid.content == Hidden) return -1;
    const qsizetype nameLine = 2 * qsizetype(grid.entryOffset + row) + 1;
    if (nameLine >= listing_->size()) return -1;
    return int(grid.content == Names ? nameLine : nameLine + 1);
}

QString VerzEditModel::cell(int g, int row) const {
    const int line = lineOf(g, row);
    return line >= 0 && line < listing_->size() ? listing_->at(line) : QString();
}

bool VerzEditModel::setCell(int g, int row, const QString& text) {
    if (!editable(g)) return false;
    const int line = lineOf(g, row);
    if (line < 0) return false;
    // A foreign listing may lack the last comment line; the entry gets it now.
    while (listing_->size() <= line)
        listing_->append(QString());
    (*listing_)[line] = text;
    return true;
}

int VerzEditModel::decidingGrid(int focusedGrid) const {
    int g;
    if (kommentare_ == 0)
        g = focusedGrid >= 0 && focusedGrid <= 2 ? focusedGrid : 3;
    else
        g = focusedGrid == 2 || focusedGrid == 3 ? 2 : 0;
    return grids_[g].content == Hidden ? 0 : g;
}

bool VerzEditModel::deleteRows(int grid, int top, int bottom) {
    if (NurLesen || !listing_ || grid < 0 || grid > 3) return false;
    const qsizetype offset = grids_[grid].entryOffset;
    const qsizetype first = (std::min(top, bottom) + offset) * 2 + 1;
    qsizetype last = (std::max(top, bottom) + offset) * 2 + 1;
    const qsizetype count = listing_->size();
    if (first >= count) return false;
    last = std::min(last, count - 1);
    const qsizetype entries = (last - first) / 2 + 1;
    listing_->remove(first, std::min(entries * 2, count - first));
    return true;
}
