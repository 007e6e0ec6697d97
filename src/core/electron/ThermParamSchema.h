// The schema of the thermal-parameter dialog (TThermParamDialog): the [thermal] table of
// run files. `Page` shows a page first; the numbers and check boxes that follow are the
// fields of that page under their dialog names (a key the page does not have is refused);
// `Button` says which button accepts it ("OK", or "NoConduct" with `NoThermo` as the
// answer to "No all thermodinamic?"). `SplineInButton` names the input file of the
// "Spline" page: it is read as "&Load Spline In file" reads it, then "&Init Spline" reads
// the two data files; a file that cannot be read refuses the key with the page's message
// (file and line).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/common/FormSchema.h"
#include "core/electron/ThermParamDialog.h"

namespace tarvex {

class TThermParamSchema : public FormSchema {
 public:
  // `onChoice` is told every accepted choice in the material list (what it sets in
  // other dialogs); relative file names are read from `runDir` ("": the current folder).
  explicit TThermParamSchema(TThermParamDialog& dialog,
                             std::function<void(const ElChoiceResult&)> onChoice = {},
                             std::string runDir = {})
      : d_(dialog), onChoice_(std::move(onChoice)), runDir_(std::move(runDir)) {}

  const std::vector<FieldSchema>& Fields() const override { return FieldList(); }
  static const std::vector<FieldSchema>& FieldList();
  FormRefusal Set(const FieldSchema& field, const FormValue& value) override;
  std::optional<FormValue> Get(const FieldSchema& field) override;
  bool Printed(const FieldSchema& field) override;

  // The button the table presses and the answer it gives.
  bool NoConductButton() const { return noConduct_; }
  bool NoThermoAnswer() const { return noThermo_; }
  // Forgets them (the dialog is opened again).
  void Reset() {
    noConduct_ = false;
    noThermo_ = false;
  }
  // The key of the page's field a refusal of OK focuses.
  static FormRefusal Refusal(const ElOkResult& ok);

 private:
  // SplineInButton: the input file and the two data files of the "Spline" page.
  FormRefusal LoadSplineIn(const FieldSchema& field, const std::string& text);
  // The entry of Materials the page shown has chosen, -1 for none.
  int32_t MaterialOfPage();

  TThermParamDialog& d_;
  std::function<void(const ElChoiceResult&)> onChoice_;
  std::string runDir_;
  bool noConduct_ = false;
  bool noThermo_ = false;
};

}  // namespace tarvex
