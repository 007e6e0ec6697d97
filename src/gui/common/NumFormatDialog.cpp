// The "Format" dialog.
#include "gui/common/NumFormatDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tarvex {

namespace {

constexpr int kNoPrecision = -1;  // the spin box's "none"

}  // namespace

TNumFormatDialog::TNumFormatDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("NumFormatDialog");
  setWindowTitle("Format");
  Dec = new QLineEdit(this);
  Dec->setObjectName("Dec");
  Dec->setMaxLength(1);
  Dec->setToolTip("Decimal separator of shown and written numbers (one character)");
  FType = new QComboBox(this);
  FType->setObjectName("FType");
  for (int t = 0; t <= 4; ++t) FType->addItem(FormatTypeCaption(static_cast<TFloatFormat>(t)));
  FType->setToolTip(
      "General: fixed or exponential, whichever is shorter; Exponent: d.dddE+xx; "
      "Fixed: ddd.ddd; FirstPoint: .ddddE+xx");
  Press = new QSpinBox(this);
  Press->setObjectName("Press");
  Press->setRange(kNoPrecision, 30);
  Press->setSpecialValueText("none");
  Press->setToolTip("Digits: significant (General), after the point (Exponent, Fixed)");
  FWidth = new QSpinBox(this);
  FWidth->setObjectName("FWidth");
  FWidth->setRange(-64, 64);
  FWidth->setToolTip("Field width in characters: > 0 pads on the left, < 0 on the right");

  auto* form = new QFormLayout;
  auto* decLabel = new QLabel("&Dec separator", this);
  decLabel->setBuddy(Dec);
  auto* typeLabel = new QLabel("&Type", this);
  typeLabel->setBuddy(FType);
  auto* pressLabel = new QLabel("&Pressision", this);
  pressLabel->setBuddy(Press);
  auto* widthLabel = new QLabel("&Width", this);
  widthLabel->setBuddy(FWidth);
  form->addRow(decLabel, Dec);
  form->addRow(typeLabel, FType);
  form->addRow(pressLabel, Press);
  form->addRow(widthLabel, FWidth);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void TNumFormatDialog::Load(const TNumStringFormat& format) {
  Dec->setText(QString(QChar::fromLatin1(format.GetDecSeparator())));
  FType->setCurrentIndex(static_cast<int>(format.FormatType()));
  const uint8_t p = format.Pressigion();
  Press->setValue(p == TNumStringFormat::kNoPressigion ? kNoPrecision : p);
  FWidth->setValue(format.Width());
}

void TNumFormatDialog::Apply(TNumStringFormat& format) const {
  const QString sep = Dec->text();
  if (!sep.isEmpty() && sep[0].unicode() < 0x80) {
    const char c = static_cast<char>(sep[0].unicode());
    if (c == format.SystemDecSeparator()) {
      format.SetDefaultDec(true);
    } else {
      format.SetDecSeparator(c);  // refused for characters that would break reading
    }
  }
  format.SetFormatType(static_cast<TFloatFormat>(FType->currentIndex()));
  const int p = Press->value();
  format.SetPressigion(p == kNoPrecision ? TNumStringFormat::kNoPressigion
                                         : static_cast<uint8_t>(p));
  format.SetWidth(static_cast<int8_t>(FWidth->value()));
}

bool TNumFormatDialog::Edit(TNumStringFormat& format) {
  Load(format);
  if (exec() != QDialog::Accepted) return false;
  Apply(format);
  return true;
}

}  // namespace tarvex
