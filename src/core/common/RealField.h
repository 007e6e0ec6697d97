// RealField: the model of a numeric edit field, without a display.
//
// Every form (window or dialog model) keeps its numbers in RealFields, and the Qt edit
// widget only mirrors one. A field holds the value, the text shown, whether the user
// changed the text since it was last set or parsed, and the last value accepted with
// Enter (to which Escape returns). Reading and writing go through a number format that
// may be shared with other fields and format holders (std::shared_ptr, as in TNumStrCt):
// a field never refers to another field or holder, only to the format object itself.
//
// The value of an untouched field is exactly the value that was set, not the value of
// its rounded text: a form that shows 1/3 as "0.333" still computes with 1/3.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/common/NumStringFormat.h"
#include "core/common/Real.h"

namespace tarvex {

class RealField {
 public:
  // Called with the message when a changed text does not read as a number in Value().
  using ConvertErrorHandler = std::function<void(const std::string& message)>;

  RealField();                                                   // an own default format
  explicit RealField(std::shared_ptr<TNumStringFormat> format);  // a shared one
  RealField(const RealField& other);  // owned format copied, shared format shared
  RealField& operator=(const RealField& other);
  ~RealField() = default;

  // ---- format ----
  const TNumStringFormat& Format() const { return *format_; }
  const std::shared_ptr<TNumStringFormat>& SharedFormat() const { return format_; }
  // Copies the settings into the field's format (the shared one, when shared) and
  // reformats this field.
  void SetStringFormat(const TNumStringFormat& format);
  // Use another holder's format object; an empty pointer releases the control. Reformats.
  void SetFormatControl(std::shared_ptr<TNumStringFormat> format);
  void SetFormatControl(const TNumStrCt& control) { SetFormatControl(control.SharedFormat()); }
  void SetFormatControl(const RealField& control);
  // Stop sharing: the field gets an own copy of the settings it shows with.
  void ReleaseFormatControl();
  bool OwnsFormat() const { return owns_; }
  // Shows the value in the current format. A form calls it on its fields after it
  // changed a shared format. A changed text is read first (a failure keeps the value).
  void Reformat();

  // ---- options ----
  bool ValueFormat() const { return valueFormat_; }
  // Reformat the text after each successful parse; switching it on reformats now.
  void SetValueFormat(bool on);
  bool RaiseConvertError() const { return raiseConvertError_; }
  void SetRaiseConvertError(bool on) { raiseConvertError_ = on; }
  void SetOnConvertError(ConvertErrorHandler handler) { onConvertError_ = std::move(handler); }

  // ---- value and text ----
  // Stores x exactly, shows FormatValue(x), clears the modified flag; x also becomes the
  // value Escape returns to.
  void SetValue(Real x);
  // The value. A changed text is parsed first; when it does not read, the field shows
  // the stored value again and then the error handler is called when set, otherwise
  // ConvertError is thrown when RaiseConvertError() is set; the stored value is returned.
  Real Value();
  // As Value() but never throws nor calls the handler: false when a changed text does
  // not read (the field then shows the stored value again, which `value` receives).
  bool TryGetValue(Real& value);
  // The stored value, without reading a changed text.
  Real StoredValue() const { return value_; }
  Real LastAccepted() const { return lastAccepted_; }

  const std::string& Text() const { return text_; }
  // The user edited the text.
  void SetText(std::string text);
  bool Modified() const { return modified_; }

  // ---- keyboard ----
  // Whether a printable key typed at `caret` is taken, and the character inserted.
  TKeyVerdict AcceptKey(char key, size_t caret) const {
    return format_->AcceptKey(key, text_, caret);
  }
  // Types a key: inserts the accepted form at `caret` and marks the text changed. False
  // (text untouched) for a rejected key, on which the view beeps.
  bool TypeKey(char key, size_t caret);
  // Enter: false when the changed text does not read (the stored value is shown again);
  // otherwise the text is reformatted when ValueFormat() is on and the value becomes the
  // last accepted one.
  bool Enter();
  // Escape: back to the last accepted value.
  void Escape();
  // Gaining the focus: a text changed meanwhile is read and, when it reads, accepted.
  void FocusIn();

 private:
  // Parses a changed text; the field afterwards shows the text ParseField gives.
  TFieldParse ParseChanged();

  std::shared_ptr<TNumStringFormat> format_;  // never empty
  bool owns_ = true;
  Real value_ = 0;
  Real lastAccepted_ = 0;
  std::string text_;
  bool modified_ = false;
  bool valueFormat_ = false;
  bool raiseConvertError_ = false;
  ConvertErrorHandler onConvertError_;
};

}  // namespace tarvex
