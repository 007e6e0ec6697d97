// The "Histories" window on screen, bound to a THistoryPlot: a combo box of the columns
// the history's header names and the chosen column plotted against the time. A tool
// window beside the main window; the main window reloads it after every output interval.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;

namespace tarvex {

class Prompter;
class THistoryPlot;
class TImageFrame;

class HistoriesView : public QDialog {
  Q_OBJECT

 public:
  HistoriesView(THistoryPlot& model, Prompter& prompter, QWidget* parent = nullptr);

  // Re-reads the history file and shows it (the column kept when the header is the same).
  void Reload();

  QComboBox* ColumnCombo = nullptr;
  QLabel* StatusLabel = nullptr;
  TImageFrame* Graph = nullptr;

 private:
  void SyncFromModel();

  THistoryPlot& model_;
};

}  // namespace tarvex
