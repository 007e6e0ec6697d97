// The "StatEquation Tables" dialog on screen, bound to the TStatEqTables form model: the
// buttons of the loading sequence ("&Load File", "&Continue", OK, "ReSet"), "&Edit" and
// "&Save", and one page per table: the Data page (the description, the grids and the
// extreme values) and a grid of each loaded table (densities and volumes in the first two
// rows, temperatures in the first column), all pages sharing one cell selection.
#pragma once

#include <QDialog>
#include <vector>

#include "core/eos/TableDialog.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace tarvex {

class Prompter;

class TableDialogView : public QDialog {
  Q_OBJECT

 public:
  TableDialogView(TStatEqTables& model, Prompter& prompter, QWidget* parent = nullptr);

  // Shows the dialog modally; the result is the model's (OK, Cancel, Retry).
  TStatEqTables::Result Open();

  // The buttons as a person presses them (tests press them directly too).
  void PressLoadFile();
  void PressContinue();
  void PressOk();
  void PressReSet();
  void PressEdit();
  void PressSave();
  void PressCancel();

  QPushButton* LoadFileBtn = nullptr;
  QPushButton* ContinueBtn = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* ReSetBtn = nullptr;
  QPushButton* EditBtn = nullptr;
  QPushButton* SaveBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
  QTabWidget* Pages = nullptr;
  QPlainTextEdit* Memo = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Summary = nullptr;
  QLabel* Message = nullptr;

 private:
  void SyncFromModel();
  void RebuildPages();
  void Show(const TTablesResult& r);

  TStatEqTables& model_;
  Prompter& prompter_;
  std::vector<QTableView*> tables_;
  bool syncing_ = false;
};

}  // namespace tarvex
