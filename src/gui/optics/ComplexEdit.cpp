// The complex edit control.
#include "gui/optics/ComplexEdit.h"

#include <QHBoxLayout>
#include <QLabel>

#include "core/optics/ComplexField.h"
#include "gui/common/RealEdit.h"

namespace tarvex {

TComplexEdit::TComplexEdit(TComplexField& field, const QString& name, QWidget* parent)
    : QWidget(parent), field_(field) {
  setObjectName(name);
  Re = new TRealEdit(field.Re, name + "Re", this);
  Im = new TRealEdit(field.Im, name + "Im", this);
  auto* separator = new QLabel(
      QString::fromUtf8(kComplexSeparator.data(), static_cast<int>(kComplexSeparator.size())),
      this);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Re, 1);
  layout->addWidget(separator);
  layout->addWidget(Im, 1);
  Re->SetNextOnEnter(Im);
  ShowField();
}

void TComplexEdit::SetPrompter(Prompter* prompter) {
  Re->SetPrompter(prompter);
  Im->SetPrompter(prompter);
}

void TComplexEdit::SetReadOnly(bool on) {
  field_.ReadOnly = on;
  Re->setReadOnly(on);
  Im->setReadOnly(on);
}

void TComplexEdit::ShowField() {
  Re->ShowField();
  Im->ShowField();
}

QString TComplexEdit::Text() const {
  return QString::fromStdString(field_.Text());
}

}  // namespace tarvex
