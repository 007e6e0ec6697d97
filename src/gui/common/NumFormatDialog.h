// TNumFormatDialog ("Format"): edits a number format: the decimal separator ("Dec
// separator", its first character), the style ("&Type": General, Exponent, Fixed,
// FirstPoint, Currency), the precision ("&Pressision", "none" = the style's default) and
// the width ("&Width", positive pads on the left, negative on the right). Opened on a
// format it shows the format's values; Apply writes them back (the format itself
// ignores a change to Currency, as it does for every caller).
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>

#include "core/common/NumStringFormat.h"

namespace tarvex {

class TNumFormatDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TNumFormatDialog(QWidget* parent = nullptr);

  void Load(const TNumStringFormat& format);
  void Apply(TNumStringFormat& format) const;
  // Load, run modally, Apply on OK. Returns whether OK was pressed.
  bool Edit(TNumStringFormat& format);

  QLineEdit* Dec = nullptr;
  QComboBox* FType = nullptr;
  QSpinBox* Press = nullptr;
  QSpinBox* FWidth = nullptr;
};

}  // namespace tarvex
