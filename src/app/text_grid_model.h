#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <memory>

#include "stats/text_grid.h"

namespace climstat::app {

// A light table model over the texts the engine returns for a grid: cells become QStrings only
// when the view asks for them, so a table of 8761 rows creates no item objects. Row 0 of the
// texts is the header row; column 0 is the header column unless the grid shows it as data.
class TextGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TextGridModel(bool firstColumnIsHeader, QObject* parent = nullptr);

    void setTexts(TextGrid texts);
    const TextGrid& texts() const { return texts_; }
    // Whether the grid's first column is shown as the row headings (else rows are numbered).
    bool firstColumnIsHeader() const { return firstColumnIsHeader_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    int firstColumn() const { return firstColumnIsHeader_ ? 1 : 0; }

    bool firstColumnIsHeader_;
    TextGrid texts_;
};

// Puts the engine's texts into a grid view whose model is a TextGridModel. A column keeps the
// view's default width unless its heading needs more.
void setGridTexts(QTableView* view, TextGrid texts);

}  // namespace climstat::app
