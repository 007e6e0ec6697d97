// TThermParamDialog: the form model of the thermal-parameter dialog ("ThermParamDialog"),
// with its own pages "Constant" and "Simple metall" and the frames of the metal models.
//
// The dialog holds one page per catalog entry, in the catalog's order; pages whose models
// are not built yet exist in the catalog only, and showing one is refused with a message.
// A choice in a page's material list presets the page when it owns the material and
// otherwise shows the page that does (which then presets it). OK, No and Print act on the
// page shown. Slots are written only by an OK, into the targets passed to it.
#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "core/electron/ElPageForm.h"
#include "core/electron/ThermParFrames.h"

namespace tarvex {

// "Constant": constant heat capacity, conductivity and coupling. The page reads its own
// density rho0Edit and coupling aEdit (the coupling per gram is aEdit/rho0Edit).
class TConstantPage : public TElPageForm {
 public:
  explicit TConstantPage(std::shared_ptr<TNumStringFormat> format);
  // Leaving Gr1Edit shows the divisor Gr2Edit only while Gr1 is not 0.
  void LeaveField(std::string_view name) override;
  ElOkResult Ok(ElTargets& t, ElOkSource source) override;
};

// "Simple metall": the dialog's generic metal model, with the short list "Metals"
// (kMetalls) as its material list.
class TSimpleMetPage : public TElPageForm {
 public:
  explicit TSimpleMetPage(std::shared_ptr<TNumStringFormat> format);
  // A choice in "Metals": Al and Ag preset this page; Ni, Fe, LiF and Ta name the page that
  // takes over; "Any" does nothing more.
  ElChoiceResult ChooseMaterial(int32_t item) override;
  ElOkResult Ok(ElTargets& t, ElOkSource source) override;
  // No: while an electron conductivity is installed, the constant conductivity and
  // coupling and the constant C of this page's liquid rate are zeroed.
  void No(ElTargets& t) override;
  // Before the dialog is shown: a density of 0 becomes the film's reference density of
  // the run (1 when that is 0), an atomic mass of 0 the one of that density and n_at.
  void PresetFromRun(Real filmRho0);

 protected:
  void DensityDisplays() override;  // T_F and gamma at rho0
};

class TThermParamDialog {
 public:
  static constexpr const char* kCaption = "ThermParamDialog";
  static constexpr int32_t kPageCount = 14;

  // The fields of every page share `format` when given.
  explicit TThermParamDialog(std::shared_ptr<TNumStringFormat> format = nullptr);

  // ---- pages --------------------------------------------------------------------------------
  // nullptr for a page that is not available (or an index out of range).
  TElPageForm* Page(int32_t index);
  TElPageForm* Page(std::string_view idOrCaption);
  TConstantPage& Constant() { return constant_; }
  TSimpleMetPage& SimpleMetall() { return simple_; }
  TNobleMetFrame& NobleMetall() { return noble_; }
  TTransMetFrame& TransMetall() { return transMet_; }
  TTaParFrame& Ta() { return ta_; }
  TNewNobleMetFrame& NewAu() { return newAu_; }
  TAgParFrame& Ag1() { return ag_; }
  TMoParFrame& Mo() { return mo_; }
  TMet_kabFrame& MetKab() { return metKab_; }
  TAu1ParFrame& Au1() { return au1_; }
  TRuElParFrame& Ru() { return ru_; }
  TElRextr& Rextr() { return rextr_; }
  TSplineEOSFrame& Spline() { return spline_; }

  int32_t ActivePage() const { return active_; }
  ElChoiceResult ShowPage(int32_t index);
  ElChoiceResult ShowPage(std::string_view idOrCaption);

  // A choice in the material list of the page shown (for "Simple metall" its "Metals").
  ElChoiceResult ChooseMaterial(int32_t index);
  // By the name the list shows.
  ElChoiceResult ChooseMaterial(std::string_view name);

  // Before the dialog is shown (TSimpleMetPage::PresetFromRun).
  void FormShow(Real filmRho0) { simple_.PresetFromRun(filmRho0); }

  // ---- buttons of the page shown ------------------------------------------------------------
  // An OK that installs the page makes the dialog as it stands the one a Cancel returns to.
  ElOkResult Ok(ElTargets& t, ElOkSource source);
  // Cancel (or Escape): the page in force and every page's inputs as the last installing
  // OK left them (as the dialog was created before any OK). Nothing installed changes.
  void Cancel();
  void No(ElTargets& t);
  // "Print": the dialog form through the prompter (false: not printed).
  bool Print(Prompter& prompter);

 private:
  TConstantPage constant_;
  TSimpleMetPage simple_;
  TNobleMetFrame noble_;
  TTransMetFrame transMet_;
  TTaParFrame ta_;
  TNewNobleMetFrame newAu_;
  TAgParFrame ag_;
  TMoParFrame mo_;
  TMet_kabFrame metKab_;
  TAu1ParFrame au1_;
  TRuElParFrame ru_;
  TElRextr rextr_;
  TSplineEOSFrame spline_;
  std::array<TElPageForm*, kPageCount> pages_{};  // by catalog index; nullptr: not built
  int32_t active_ = 0;
  // What Cancel returns to: the page and the inputs of every page at the last installing OK.
  void Accept();
  int32_t acceptedPage_ = 0;
  std::array<TElPageForm::Inputs, kPageCount> acceptedInputs_{};
};

}  // namespace tarvex
