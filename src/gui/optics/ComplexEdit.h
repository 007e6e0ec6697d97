// The complex edit control on screen, bound to a TComplexField: a real-part edit, the
// fixed text " +_i* " and an imaginary-part edit, each with its own number format. Setting
// the model's value and calling ShowField shows both parts.
#pragma once

#include <QWidget>

class QLabel;

namespace tarvex {

class Prompter;
class TComplexField;
class TRealEdit;

class TComplexEdit : public QWidget {
  Q_OBJECT

 public:
  // `name` becomes the objectName; the parts are name + "Re" and name + "Im".
  TComplexEdit(TComplexField& field, const QString& name, QWidget* parent = nullptr);

  void SetPrompter(Prompter* prompter);
  void SetReadOnly(bool on);
  // Shows both parts' current texts.
  void ShowField();
  // real text + " +_i* " + imaginary text, as shown.
  QString Text() const;

  TRealEdit* Re = nullptr;
  TRealEdit* Im = nullptr;

 private:
  TComplexField& field_;
};

}  // namespace tarvex
