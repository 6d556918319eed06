#include "directory/editgridmodel.h"

int EditGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : editor_.rows();
}

int EditGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant EditGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return editor_.cell(grid_, index.row());
}

bool EditGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !editor_.setCell(grid_, index.row(), value.toString()))
        return false;
    Q_EMIT dataChanged(index, index);
    return true;
}

Qt::ItemFlags EditGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editor_.editable(grid_) && editor_.hasEntry(grid_, index.row())) f |= Qt::ItemIsEditable;
    return f;
}

QVariant EditGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section != 0) return {};
    return editor_.grid(grid_).header;
}
