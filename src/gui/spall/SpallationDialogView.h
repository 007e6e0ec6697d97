// The "Spallation" dialog on screen, bound to the TSpallation form model of the film: the
// failure criteria, the parameters of the time criteria, the surface tension with its
// model choice, the strength limits, the foam and the material presets. Every numeric
// field has its unit beside it and its meaning in the tooltip; the controls the form hides
// (V with V=(cs*tau_nucl)^3, the sigma(rho,Ti) group and fields) are hidden here too.
// Leaving a field runs the form's leave handler; OK goes to the handler the owner gives
// (the session's SpallationOk), a refusal keeps the dialog open with the focus on the field
// it names; Cancel and Escape close it with nothing stored.
#pragma once

#include <QDialog>
#include <QMap>
#include <functional>
#include <string>

#include "core/spall/Spallation.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tarvex {

class Prompter;
class TRealEdit;

class SpallationDialogView : public QDialog {
  Q_OBJECT

 public:
  SpallationDialogView(TSpallation& model, Prompter& prompter, QWidget* parent = nullptr);

  // What the form needs of the film's material (its energy function and velocity scale),
  // read afresh by every handler.
  void SetEnvSource(std::function<TSpallMaterialEnv()> env) { env_ = std::move(env); }
  // OK: validates, asks "Save(print) settings?" and stores (the session's SpallationOk).
  void SetOkHandler(std::function<TSpallOkResult()> ok) { ok_ = std::move(ok); }

  // Shows the dialog modally on the material's current state (the form's FormShow).
  // True when it closed with OK.
  bool Open();
  // Shows the form's values, checks and visibility.
  void ShowModel();
  void PressOk();

  // The control of a name the form uses ("etaEdit", "CheckNucl", "RadioGroup1",
  // "Materials", "OkBtn" ...), nullptr when none.
  QWidget* Control(const std::string& name) const;

  QMap<QString, TRealEdit*> fields;
  QMap<QString, QCheckBox*> checks;
  QGroupBox* RadioGroup1 = nullptr;
  QRadioButton* SigmaT = nullptr;     // "sigma(Ti)"
  QRadioButton* SigmaRhoT = nullptr;  // "sigma(rho,Ti)"
  QListWidget* Materials = nullptr;
  QLabel* Message = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

 private:
  TRealEdit* AddEdit(const TSpallFieldInfo& f);
  QCheckBox* AddCheck(const TSpallFieldInfo& f);
  TSpallMaterialEnv Env() const { return env_ ? env_() : TSpallMaterialEnv{}; }
  void Leave(const std::string& name);
  void FocusName(const std::string& name);
  void Refused(const TSpallResult& r);

  TSpallation& model_;
  Prompter& prompter_;
  std::function<TSpallMaterialEnv()> env_;
  std::function<TSpallOkResult()> ok_;
  // The label and unit beside each edit, hidden with it.
  QMap<QString, QList<QWidget*>> rows_;
  bool syncing_ = false;
};

}  // namespace tarvex
