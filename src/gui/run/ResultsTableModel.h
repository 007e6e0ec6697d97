// ResultsTableModel: the Qt item model over the results table of the core. Row 0 of the
// core table (the column titles) becomes the horizontal header; rows 1.. are the items.
// Refresh tells the views once per refresh: a reset when the shape changed, otherwise a
// single dataChanged over the whole table, so that 10000 rows refresh at once (the view
// then asks only for the cells it shows).
#pragma once

#include <QAbstractTableModel>
#include <QFont>

#include "core/run/ResultsTable.h"

namespace tarvex {

class ResultsTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ResultsTableModel(const TResultsTable& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // After the core table changed (its Version moved on).
  void Refresh();

 private:
  const TResultsTable& table_;
  int rows_ = 0;
  int columns_ = 0;
  uint64_t version_ = 0;
};

}  // namespace tarvex
