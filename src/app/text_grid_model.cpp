#include "app/text_grid_model.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <algorithm>

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

void setGridTexts(QTableView* view, TextGrid texts) {
    auto* model = static_cast<TextGridModel*>(view->model());
    model->setTexts(std::move(texts));
    QHeaderView* header = view->horizontalHeader();
    const QFontMetrics metrics(header->font());
    constexpr int kPadding = 10;  // the header style's margins on both sides
    for (int c = 0; c < model->columnCount(); ++c) {
        const QString heading = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        header->resizeSection(c, std::max(header->defaultSectionSize(),
                                          metrics.horizontalAdvance(heading) + kPadding));
    }
    // The row headings: the view measures only some of them, and kept the width of the first
    // texts it was given. Row numbers grow with the row, so the last one is the widest.
    QHeaderView* rowHeader = view->verticalHeader();
    const int rows = model->rowCount();
    int widest = 0;
    for (int r = model->firstColumnIsHeader() ? 0 : std::max(0, rows - 1); r < rows; ++r) {
        const QString heading = model->headerData(r, Qt::Vertical, Qt::DisplayRole).toString();
        widest = std::max(widest, metrics.horizontalAdvance(heading));
    }
    rowHeader->setMinimumWidth(widest + kPadding);
}

}  // namespace climstat::app
