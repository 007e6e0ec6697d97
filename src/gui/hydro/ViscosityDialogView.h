// The "Artifical Viscosity" dialog on screen: the kind (No, Symm, Loc, LimOnly) in one
// row of radio buttons and the scale value of the quadratic coefficient, bound to the
// TViscosityDialogModel. A refused OK keeps it open with the focus on the value.
#pragma once

#include <QDialog>
#include <functional>

#include "core/hydro/ViscosityDialog.h"

class QButtonGroup;

namespace tarvex {

class Prompter;
class TRealEdit;

class ViscosityDialogView : public QDialog {
  Q_OBJECT

 public:
  ViscosityDialogView(TViscosityDialogModel& model, Prompter& prompter, QWidget* parent = nullptr);

  // Shows the model's fields; run modally by the caller. The callback decides OK.
  void ShowModel();
  // The OK button: `ok` applies the model and reports whether it was accepted.
  void SetOkHandler(std::function<ViscosityDialogResult()> ok) { ok_ = std::move(ok); }
  void PressOk();

  QButtonGroup* ViscType = nullptr;
  TRealEdit* ViscMult = nullptr;

 private:
  TViscosityDialogModel& model_;
  std::function<ViscosityDialogResult()> ok_;
};

}  // namespace tarvex
