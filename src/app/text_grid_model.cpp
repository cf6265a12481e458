#include "app/text_grid_model.h"

namespace climstat::app {

TextGridModel::TextGridModel(bool firstColumnIsHeader, QObject* parent)
    : QAbstractTableModel(parent), firstColumnIsHeader_(firstColumnIsHeader) {}

void TextGridModel::setTexts(TextGrid texts) {
    beginResetModel();
    texts_ = std::move(texts);
    endResetModel();
}

int TextGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || texts_.rowCount() == 0 ? 0 : texts_.rowCount() - 1;
}

int TextGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || texts_.columnCount() == 0 ? 0 : texts_.columnCount() - firstColumn();
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    return QString::fromStdString(texts_.cell(index.column() + firstColumn(), index.row() + 1));
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal) {
        if (section + firstColumn() >= texts_.columnCount() || texts_.rowCount() == 0) return {};
        return QString::fromStdString(texts_.cell(section + firstColumn(), 0));
    }
    if (!firstColumnIsHeader_) return section + 1;
    if (section + 1 >= texts_.rowCount()) return {};
    return QString::fromStdString(texts_.cell(0, section + 1));
}

}  // namespace climstat::app
