// The "Equation of state" dialog on screen, bound to the TStatEqDialog form model: the
// model list, the parameter fields (enabled for the selected model), the metal choice of
// the chosen model, the medium's heat conductivity (CheckKappa with its options "*" and
// "FnT" and the frame of "FnT"), the electron-part check box, OK and Cancel. A
// refused OK keeps the dialog open, shows why under the list and focuses the field.
// "TabFiles" opens the medium's table dialog ("StatEquation Tables"); after its OK the
// "Table: " label shows the set's label.
#pragma once

#include <QDialog>
#include <QMap>
#include <functional>
#include <vector>

#include "core/eos/StatEqDialog.h"
#include "core/eos/TableDialog.h"

class QListWidget;
class QFormLayout;
class QCheckBox;
class QLabel;
class QComboBox;
class QPushButton;

namespace tarvex {

class Prompter;
class TRealEdit;
class TableDialogView;

class StatEqDialogView : public QDialog {
  Q_OBJECT

 public:
  StatEqDialogView(TStatEqDialog& model, EosState& eos, Prompter& prompter,
                   QWidget* parent = nullptr);

  // Shows the dialog modally for the film (left = false) or the left medium. Returns
  // whether OK was accepted.
  bool Open(bool left);

  // What OK reaches besides the slots: the electron model, the run's NoConduct switch and
  // the thermal-parameter dialog (the view adds its prompter for the questions).
  // Checking NoElEOS while the electron model has no energy shows the thermal-parameter
  // dialog at once; the box stays checked only if the model has one afterwards.
  void SetOkContext(TStatEqContext context) { context_ = std::move(context); }

  // OK and Cancel as the buttons do them (tests press them directly too).
  void PressOk();
  void PressCancel();
  // "Sp&all" checked: the dialog's OK first (the spallation criteria need the film's
  // equation of state), then the spallation dialog through `open`, which reports whether
  // it closed with OK; the box stays checked only then, and the dialog closes as its OK
  // did. Unchecked: `off` turns the test off.
  void SetSpallHandlers(std::function<bool()> open, std::function<void()> off) {
    spallOpen_ = std::move(open);
    spallOff_ = std::move(off);
  }
  void PressSpall(bool down);
  // "TabFiles": the table dialog of the medium the dialog serves (set with
  // SetTableDialogs); OK hands its set to the form, any other ending clears TabLabel.
  void PressTabFiles();

  // The table-dialog models of the film and of the left medium (the program keeps them).
  void SetTableDialogs(TStatEqTables* film, TStatEqTables* left);
  // The view of a medium's table dialog, created when first opened (nullptr before).
  TableDialogView* TableView(bool left) const { return tableViews_[left ? 1 : 0]; }

  QListWidget* EqType = nullptr;
  QComboBox* Metal = nullptr;
  QCheckBox* CheckKappa = nullptr;
  QCheckBox* kappaMultChec = nullptr;  // "*": kappa T0 / T
  QCheckBox* kappaFnTCheck = nullptr;  // "FnT": the frame below
  QWidget* kappaFnTFrame = nullptr;
  QCheckBox* NoElEOS = nullptr;
  QCheckBox* Spall = nullptr;
  QLabel* InfoLabel = nullptr;
  QPushButton* TabFiles = nullptr;
  QLabel* TabLabel = nullptr;  // "Table: " + the label of the medium's set
  QLabel* Message = nullptr;
  QPushButton* OkBtn = nullptr;
  QMap<QString, TRealEdit*> fields;

 private:
  QFormLayout* form_ = nullptr;  // the parameter rows; a model shows the rows it reads
  void SyncFromModel();
  void FocusControl(const std::string& name);
  TStatEqContext Context();
  void ToggleNoElEOS(bool on);

  TStatEqDialog& model_;
  EosState& eos_;
  Prompter& prompter_;
  TStatEqTables* tables_[2] = {nullptr, nullptr};
  TableDialogView* tableViews_[2] = {nullptr, nullptr};
  std::function<bool()> spallOpen_;
  std::function<void()> spallOff_;
  TStatEqContext context_;
  bool syncing_ = false;
};

}  // namespace tarvex
