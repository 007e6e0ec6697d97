// RealField: value, text, modified flag and last accepted value of a numeric field.
#include "core/common/RealField.h"

#include <algorithm>
#include <utility>

namespace tarvex {

RealField::RealField() : format_(std::make_shared<TNumStringFormat>()) {
  text_ = format_->FormatValue(value_);
}

RealField::RealField(std::shared_ptr<TNumStringFormat> format)
    : format_(std::move(format)), owns_(false) {
  if (!format_) {
    format_ = std::make_shared<TNumStringFormat>();
    owns_ = true;
  }
  text_ = format_->FormatValue(value_);
}

RealField::RealField(const RealField& other)
    : format_(other.owns_ ? std::make_shared<TNumStringFormat>(*other.format_) : other.format_),
      owns_(other.owns_),
      value_(other.value_),
      lastAccepted_(other.lastAccepted_),
      text_(other.text_),
      modified_(other.modified_),
      valueFormat_(other.valueFormat_),
      raiseConvertError_(other.raiseConvertError_),
      onConvertError_(other.onConvertError_) {}

RealField& RealField::operator=(const RealField& other) {
  if (this != &other) {
    RealField copy(other);
    std::swap(format_, copy.format_);
    owns_ = copy.owns_;
    value_ = copy.value_;
    lastAccepted_ = copy.lastAccepted_;
    text_ = std::move(copy.text_);
    modified_ = copy.modified_;
    valueFormat_ = copy.valueFormat_;
    raiseConvertError_ = copy.raiseConvertError_;
    onConvertError_ = std::move(copy.onConvertError_);
  }
  return *this;
}

void RealField::SetStringFormat(const TNumStringFormat& format) {
  format_->Assign(format);
  Reformat();
}

void RealField::SetFormatControl(std::shared_ptr<TNumStringFormat> format) {
  if (!format) {
    ReleaseFormatControl();
    return;
  }
  if (format != format_) {
    format_ = std::move(format);
    owns_ = false;
  }
  Reformat();
}

void RealField::SetFormatControl(const RealField& control) {
  if (&control == this) return;
  SetFormatControl(control.format_);
}

void RealField::ReleaseFormatControl() {
  if (owns_) return;
  format_ = std::make_shared<TNumStringFormat>(*format_);
  owns_ = true;
}

void RealField::Reformat() {
  if (modified_) ParseChanged();
  text_ = format_->FormatValue(value_);
  modified_ = false;
}

void RealField::SetValueFormat(bool on) {
  const bool switchedOn = on && !valueFormat_;
  valueFormat_ = on;
  if (switchedOn) Reformat();
}

void RealField::SetValue(Real x) {
  value_ = x;
  lastAccepted_ = x;
  text_ = format_->FormatValue(x);
  modified_ = false;
}

TFieldParse RealField::ParseChanged() {
  TFieldParse result = format_->CheckField(text_, value_, valueFormat_);
  text_ = result.text;
  modified_ = false;
  return result;
}

Real RealField::Value() {
  if (!modified_) return value_;
  const TFieldParse result = ParseChanged();
  if (!result.Accepted()) {
    if (onConvertError_) {
      onConvertError_(result.message);
    } else if (raiseConvertError_) {
      throw ConvertError(result.message);
    }
  }
  return value_;
}

bool RealField::TryGetValue(Real& value) {
  bool ok = true;
  if (modified_) ok = ParseChanged().Accepted();
  value = value_;
  return ok;
}

void RealField::SetText(std::string text) {
  text_ = std::move(text);
  modified_ = true;
}

bool RealField::TypeKey(char key, size_t caret) {
  const TKeyVerdict verdict = AcceptKey(key, caret);
  if (!verdict.accepted) return false;
  text_.insert(std::min(caret, text_.size()), 1, verdict.key);
  modified_ = true;
  return true;
}

bool RealField::Enter() {
  if (modified_) {
    if (!ParseChanged().Accepted()) return false;
  } else if (valueFormat_) {
    text_ = format_->FormatValue(value_);
  }
  lastAccepted_ = value_;
  return true;
}

void RealField::Escape() {
  value_ = lastAccepted_;
  text_ = format_->FormatValue(value_);
  modified_ = false;
}

void RealField::FocusIn() {
  if (modified_ && ParseChanged().Accepted()) lastAccepted_ = value_;
}

}  // namespace tarvex
