// The item model of the results table.
#include "gui/run/ResultsTableModel.h"

namespace tarvex {

ResultsTableModel::ResultsTableModel(const TResultsTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
  rows_ = std::max(0, table_.RowCount() - 1);
  columns_ = table_.ColumnCount();
  version_ = table_.Version();
}

int ResultsTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int ResultsTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant ResultsTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_) return {};
  if (role == Qt::DisplayRole) {
    return QString::fromStdString(table_.Cell(index.row() + 1, index.column())).trimmed();
  }
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant ResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= columns_ || table_.RowCount() < 1) return {};
    return QString::fromStdString(table_.Cell(0, section)).trimmed();
  }
  return section;
}

void ResultsTableModel::Refresh() {
  const int rows = std::max(0, table_.RowCount() - 1);
  const int columns = table_.ColumnCount();
  if (rows != rows_ || columns != columns_) {
    beginResetModel();
    rows_ = rows;
    columns_ = columns;
    version_ = table_.Version();
    endResetModel();
    return;
  }
  if (table_.Version() == version_) return;
  version_ = table_.Version();
  if (rows_ > 0 && columns_ > 0) {
    emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1), {Qt::DisplayRole});
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
  }
}

}  // namespace tarvex
