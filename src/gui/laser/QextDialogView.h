// The "Q external" dialog on screen, bound to the TQextDialog form model: the fluence F,
// the time shape with tau, the space shape with the depth d, the formula of the source and
// the pre-heating summary. Enter walks the inputs as the form says and presses OK from the
// other controls; OK goes to the handler the owner gives (the session's ApplyQext) and a
// refusal keeps the dialog open with the focus on the field it names. Escape is "&No".
// "&PreHt" shows a second view of the form's pre-heating instance.
#pragma once

#include <QDialog>
#include <QMap>
#include <functional>
#include <string>

#include "core/laser/QextDialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tarvex {

class Prompter;
class TRealEdit;

class QextDialogView : public QDialog {
  Q_OBJECT

 public:
  QextDialogView(TQextDialog& model, Prompter& prompter, QWidget* parent = nullptr);

  // Shows the model's values, enabled states and labels.
  void ShowModel();
  // The OK button: `ok` applies the form and reports whether it was accepted.
  void SetOkHandler(std::function<TQextResult()> ok) { ok_ = std::move(ok); }
  void PressOk();

  // The control of a name the form uses ("AEdit", "tSelect", "OkBitBtn" ...), or nullptr.
  QWidget* Control(const std::string& name) const;

  TRealEdit* AEdit = nullptr;
  TRealEdit* tEdit = nullptr;
  TRealEdit* dEdit = nullptr;
  QComboBox* tSelect = nullptr;
  QComboBox* xSelect = nullptr;
  QLabel* QFLabel = nullptr;
  QLabel* PrehtLabel = nullptr;
  QLabel* Message = nullptr;
  QPushButton* PreHtBtn = nullptr;
  QPushButton* OkBitBtn = nullptr;
  QPushButton* BitBtn2 = nullptr;

 protected:
  // Enter in a list walks on like Enter in an edit.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TRealEdit* AddEdit(RealField& field, const char* name);
  QComboBox* AddChoice(const char* name);
  void EnterIn(const std::string& name);
  void FocusName(const std::string& name);
  void Refused(const TQextResult& r);
  void PressPreHt();

  TQextDialog& model_;
  Prompter& prompter_;
  std::function<TQextResult()> ok_;
  QGroupBox* timeGroup_ = nullptr;
  QMap<QString, QWidget*> controls_;
  bool syncing_ = false;
};

}  // namespace tarvex
