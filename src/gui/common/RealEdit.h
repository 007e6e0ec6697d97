// TRealEdit: the real-number edit field of every window and dialog. It mirrors one
// RealField of a form model: the text is upper case, printable keys pass the field's
// number format (AcceptKey) and a refused key beeps and is dropped; Enter reads the text
// (a text that is no number shows the stored value again), reformats it when the field
// asks for that, makes it the last accepted value, emits enterPressed and moves the focus
// to the next edit when one is set; Escape returns to the last accepted value; gaining
// the focus reads a text changed meanwhile. The tooltip names the quantity and its unit.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <functional>
#include <string>

#include "core/common/RealField.h"

namespace tarvex {

class Prompter;

class TRealEdit : public QLineEdit {
  Q_OBJECT

 public:
  // The field must outlive the edit. `name` is the field's system name (objectName).
  TRealEdit(RealField& field, const QString& name, QWidget* parent = nullptr);

  RealField& Field() { return *field_; }
  // Binds another field (the dialogs reuse their edits across models).
  void SetField(RealField& field);

  // "quantity [unit]" as the tooltip; an empty unit leaves the brackets out.
  void SetQuantity(const QString& quantity, const QString& unit);

  // The text the user typed goes to the form through this call (default: the field's
  // SetText). The main window passes its UserEdit so that the edited marks are kept.
  void SetUserEditHandler(std::function<void(const std::string&)> handler) {
    userEdit_ = std::move(handler);
  }
  // Where the beep of a refused key goes (nullptr: QApplication::beep).
  void SetPrompter(Prompter* prompter) { prompter_ = prompter; }
  void SetNextOnEnter(QWidget* next) { next_ = next; }
  // Enter is consumed (true, the default) or also passed on to the dialog, so that it
  // presses the default button.
  void SetConsumeEnter(bool on) { consumeEnter_ = on; }

  // Shows the field's current text (after the form changed it).
  void ShowField();

  int32_t RejectedKeys() const { return rejected_; }

 signals:
  void enterPressed();
  // Focus left the edit (the form's leave-field handler runs on it).
  void left();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void UserEdited(const QString& text);
  void BeepRejected();

  RealField* field_;
  std::function<void(const std::string&)> userEdit_;
  Prompter* prompter_ = nullptr;
  QPointer<QWidget> next_;
  bool consumeEnter_ = true;
  int32_t rejected_ = 0;
};

}  // namespace tarvex
