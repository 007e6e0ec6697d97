// TThermParamDialog: the form model of the thermal-parameter dialog ("ThermParamDialog"),
// with its own pages "Constant" and "Simple metall" and the frames of the metal models.
//
// The dialog holds one page per catalog entry, in the catalog's order, each created by its
// entry; pages whose models are not built yet exist in the catalog only, and showing one
// is refused with a message.
// A choice in a page's material list presets the page when it owns the material and
// otherwise shows the page that does (which then presets it). OK, No and Print act on the
// page shown. Slots are written only by an OK, into the targets passed to it.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "core/electron/ElPageForm.h"
#include "core/electron/ThermParFrames.h"

namespace tarvex {

// "Constant": constant heat capacity, conductivity and coupling. The page reads its own
// density rho0Edit and coupling aEdit (the coupling per gram is aEdit/rho0Edit).
class TConstantPage : public TElPageForm {
 public:
  TConstantPage(const ElPageInfo& page, std::shared_ptr<TNumStringFormat> format);
  // Leaving Gr1Edit shows the divisor Gr2Edit only while Gr1 is not 0.
  void LeaveField(std::string_view name) override;
  ElOkResult Ok(ElTargets& t, ElOkSource source) override;
};

// "Simple metall": the dialog's generic metal model, with the short list "Metals"
// (kMetalls) as its material list.
class TSimpleMetPage : public TElPageForm {
 public:
  TSimpleMetPage(const ElPageInfo& page, std::shared_ptr<TNumStringFormat> format);
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
  // The pages of the catalog (available or not).
  int32_t PageCount() const { return static_cast<int32_t>(pages_.size()); }

  // The fields of every page share `format` when given.
  explicit TThermParamDialog(std::shared_ptr<TNumStringFormat> format = nullptr);

  // ---- pages --------------------------------------------------------------------------------
  // nullptr for a page that is not available (or an index out of range).
  TElPageForm* Page(int32_t index);
  TElPageForm* Page(std::string_view idOrCaption);
  // The form of a page by its catalog id, as its class (for views and tests that reach a
  // page's own controls).
  template <class Form>
  Form& PageAs(std::string_view id) {
    return static_cast<Form&>(*Page(id));
  }
  TConstantPage& Constant() { return PageAs<TConstantPage>("constant"); }
  TSimpleMetPage& SimpleMetall() { return PageAs<TSimpleMetPage>("simple_metal"); }
  TNobleMetFrame& NobleMetall() { return PageAs<TNobleMetFrame>("noble_metal"); }
  TTransMetFrame& TransMetall() { return PageAs<TTransMetFrame>("trans_metal"); }
  TTaParFrame& Ta() { return PageAs<TTaParFrame>("ta"); }
  TNewNobleMetFrame& NewAu() { return PageAs<TNewNobleMetFrame>("new_au"); }
  TAgParFrame& Ag1() { return PageAs<TAgParFrame>("ag1"); }
  TMoParFrame& Mo() { return PageAs<TMoParFrame>("mo"); }
  TMet_kabFrame& MetKab() { return PageAs<TMet_kabFrame>("met_kab"); }
  TAu1ParFrame& Au1() { return PageAs<TAu1ParFrame>("au1"); }
  TRuElParFrame& Ru() { return PageAs<TRuElParFrame>("ru"); }
  TElRextr& Rextr() { return PageAs<TElRextr>("rextr"); }
  TSplineEOSFrame& Spline() { return PageAs<TSplineEOSFrame>("spline"); }

  int32_t ActivePage() const { return active_; }
  ElChoiceResult ShowPage(int32_t index);
  ElChoiceResult ShowPage(std::string_view idOrCaption);

  // A choice in the material list of the page shown (for "Simple metall" its "Metals").
  ElChoiceResult ChooseMaterial(int32_t index);
  // By the name the list shows.
  ElChoiceResult ChooseMaterial(std::string_view name);

  // Before the dialog is shown (TSimpleMetPage::PresetFromRun).
  void FormShow(Real filmRho0) { SimpleMetall().PresetFromRun(filmRho0); }

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
  std::vector<std::unique_ptr<TElPageForm>> pages_;  // by catalog index; nullptr: not built
  int32_t active_ = 0;
  // What Cancel returns to: the page and the inputs of every page at the last installing OK.
  void Accept();
  int32_t acceptedPage_ = 0;
  std::vector<TElPageForm::Inputs> acceptedInputs_;
};

}  // namespace tarvex
