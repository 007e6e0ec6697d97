// The frames of the thermal-parameter dialog as form models: the base frame
// TElThermParFrame (common metal parameters, ion conductivity, the Materials list, OK,
// "NoConduct", No), the free-electron frame TMetParFrame, and the six metal frames
// derived from it.
//
// A derived frame's OK runs its parent's OK first and then installs its own slots: here
// Validate() and Install() of each class run the parent's first. Every input of the whole
// chain is checked before anything is installed; a refusal installs nothing.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/electron/ElPageForm.h"
#include "core/electron/FittedConductivityMetal.h"
#include "core/electron/NobleMetal.h"
#include "core/electron/SplineElectron.h"

namespace tarvex {

class TElThermParFrame : public TElPageForm {
 public:
  TElThermParFrame(const ElPageInfo& page, std::shared_ptr<TNumStringFormat> format);

  // A choice in Materials: the frame presets the materials it owns; for any other entry
  // the result names the page that implements it.
  ElChoiceResult ChooseMaterial(int32_t index) override;

  // Validation (n_at, rho0, MatNo, Z, then every other field and the frame's own checks),
  // the leave logic of MatNo, the installation of the chain, and from a button the
  // material stamp and the questions ("&OK" switches conduction on).
  ElOkResult Ok(ElTargets& t, ElOkSource source) final;

  // No: the electron conductivity is emptied.
  void No(ElTargets& t) override;

 protected:
  // Checks beyond the field ranges.
  virtual ElOkResult Validate();
  // Writes the common parameters, the coupling constant and the film's ion
  // conductivity; clears ElTofE (a metal has no electron-energy inverse).
  virtual void Install(ElTargets& t);
  void DensityDisplays() override;  // T_F and E_F at rho0
};

class TMetParFrame : public TElThermParFrame {
 public:
  using TElThermParFrame::TElThermParFrame;
  void LeaveField(std::string_view name) override;

 protected:
  struct RhoMdChoice {
    Real value;         // rho_md [g/cm3]
    const char* field;  // the field that sets it (focus of a refusal)
  };
  // rho_md of the free-electron gas; this frame: rho_mdEdit.
  virtual RhoMdChoice ChosenRhoMd();
  // Whether gEdit shows the free-electron gamma(rho0) (not where a frame reads gEdit).
  virtual bool ShowsFreeElectronGamma() const { return true; }

  ElOkResult Validate() override;  // rho_md below rho0
  // The free-electron gas: ElEnergy, ElHeatCap, ElPressure, ElPressureDT.
  void Install(ElTargets& t) override;
  void DensityDisplays() override;

  // E_F(rho0) [kJ] of the fields with the chosen rho_md; 0 when it does not exist.
  Real FieldFermiEnergyAtRho0();
  // The gold frames' displays: E_F(rho0)/hbar and the plasma-rate coefficient
  // (E_F/hbar)/T_F^1.5 with T_F as shown.
  void GoldDisplays();
  // The gold coupling and collision rates from the gold frames' fields.
  void FillGold(AuParams& p, ElectronState& e);
};

class TTransMetFrame : public TMetParFrame {
 public:
  using TMetParFrame::TMetParFrame;
  // Changing s0 proposes s'0 = 1.3 s0 (the derivative of S = s0 Te^1.3).
  void FieldChanged(std::string_view name) override;

 protected:
  RhoMdChoice ChosenRhoMd() override;  // 1/VeC
  bool ShowsFreeElectronGamma() const override { return false; }
  void Install(ElTargets& t) override;
};

class TTaParFrame : public TMetParFrame {
 public:
  using TMetParFrame::TMetParFrame;

 protected:
  RhoMdChoice ChosenRhoMd() override;  // 0.5/VeC
  void Install(ElTargets& t) override;
};

class TNobleMetFrame : public TMetParFrame {
 public:
  using TMetParFrame::TMetParFrame;

 protected:
  void Install(ElTargets& t) override;
  void DensityDisplays() override;  // E_F/hbar and the plasma-rate coefficient
};

class TNewNobleMetFrame : public TMetParFrame {
 public:
  using TMetParFrame::TMetParFrame;

 protected:
  void Install(ElTargets& t) override;
  void DensityDisplays() override;
};

class TAgParFrame : public TMetParFrame {
 public:
  using TMetParFrame::TMetParFrame;

 protected:
  void Install(ElTargets& t) override;
};

class TMoParFrame : public TMetParFrame {
 public:
  using TMetParFrame::TMetParFrame;

 protected:
  void Install(ElTargets& t) override;
};

// ---- the fitted-conductivity metals ---------------------------------------------------------

// The free-electron part of the "Met_kab" page: rho_md (1/VeC unless edited), TeC and the
// free-electron gas without a density switch in gamma. It installs no slot itself.
class TMetEFFrame : public TElThermParFrame {
 public:
  using TElThermParFrame::TElThermParFrame;
  // Changing rho0: rho_md is raised to 1/VeC when VeC > 0.
  void FieldChanged(std::string_view name) override;
  void LeaveField(std::string_view name) override;

 protected:
  ElOkResult Validate() override;  // rho_md from VeC, below rho0
  void Install(ElTargets& t) override;
  void DensityDisplays() override;  // gamma(rho0)
  // The exit logic of VeCEdit: rho_md := 1/VeC when VeC != 0 and rho_md was not edited.
  void ApplyVeC();
};

// "Met_kab": Al, Ni, Fe, Ti. The shown panel ("TransMetPanel", "TiEOSPanel" or neither)
// chooses the solid-state electrons; the conductivity fit is common to all.
class TMet_kabFrame : public TMetEFFrame {
 public:
  TMet_kabFrame(const ElPageInfo& page, std::shared_ptr<TNumStringFormat> format);
  // Changing s0 proposes s'0 = 1.3 s0.
  void FieldChanged(std::string_view name) override;
  // k0s and k0sxrt (k0l and k0lxlm) follow each other through the reference points.
  void LeaveField(std::string_view name) override;
  // The panels exclude each other; their fields are shown with them.
  void CheckChanged(std::string_view name) override;
  // k0sxrt and k0lxlm: the OK derives them from k0s and k0l.
  bool Saved(std::string_view name) const override;

 protected:
  ElOkResult Validate() override;
  void Install(ElTargets& t) override;

 private:
  void ShowPanels();
  MetKabReference Reference();
};

// ---- fitted gold, ruthenium, tin ---------------------------------------------------------

class TAu1ParFrame : public TElThermParFrame {
 public:
  using TElThermParFrame::TElThermParFrame;
  // Entering an empty heat-flux limit proposes 1E7 kW/cm2.
  void EnterField(std::string_view name) override;
  // "NewExtr" switches kee1 and ksei1 between the two fits' values.
  void CheckChanged(std::string_view name) override;

 protected:
  ElOkResult Validate() override;  // rho_md = 0.5/VeC below rho0
  void Install(ElTargets& t) override;
};

class TRuElParFrame : public TElThermParFrame {
 public:
  using TElThermParFrame::TElThermParFrame;

 protected:
  void Install(ElTargets& t) override;
};

class TElRextr : public TElThermParFrame {
 public:
  using TElThermParFrame::TElThermParFrame;

 protected:
  void Install(ElTargets& t) override;
};

// ---- the data-file model ("Spline") ---------------------------------------------------------

using ElSplineResult = ElButtonResult;

class TSplineEOSFrame : public TElThermParFrame {
 public:
  static constexpr const char* kDefaultInFile = "In.txt";
  static constexpr std::array<const char*, 6> kDataTitles{
      "Te[K]", "Ce[kJ/g/K]", "Ee[kJ/g/K]]", "P[GPa]", "alpha[kW/g/K]", "alpha[kW/cm3/K]"};

  TSplineEOSFrame(const ElPageInfo& page, std::shared_ptr<TNumStringFormat> format);

  // "Spline" sets Z to 1 when it is 0; other entries as the base frame.
  ElChoiceResult ChooseMaterial(int32_t index) override;
  void LeaveField(std::string_view name) override;
  void CheckChanged(std::string_view name) override;

  // "SplineInButton" and "InitSpline" as clicked: what fails is reported through the
  // prompter (an error box; the program goes on).
  ElButtonResult PressButton(std::string_view name, Prompter& prompter) override;
  bool ButtonVisible(std::string_view name) const override;
  // CefileLabel and GefileLabel (shown once the input file is read).
  std::vector<ElNote> Notes() const override;
  // "Data" (shown after "&Init Spline").
  ElGrid Grid() const override;

  // "&Load Spline In file": the chooser opens with the last name (or "In.txt"); a file
  // that cannot be read is reported through the prompter.
  ElSplineResult LoadSplineIn(Prompter& prompter);
  ElSplineResult LoadSplineIn(const std::string& path);
  // "&Init Spline": reads the two data files into the page (the slots change only at OK)
  // and fills the table of the model.
  ElSplineResult InitSpline();

  bool InitSplineVisible() const { return initVisible_; }
  bool DataVisible() const { return dataVisible_; }
  const std::string& InFile() const { return inFile_; }
  const std::string& CefileLabel() const { return cefile_; }
  const std::string& GefileLabel() const { return gefile_; }
  // The table: Te, Ce, Ee, Pe(rho0), G(rho0), rho0 G(rho0) for Te = k TeCmax/n, k = 0..n.
  const std::vector<std::array<Real, 6>>& DataRows() const { return data_; }
  std::string DataText(size_t row, size_t col) const;

 protected:
  ElOkResult Validate() override;  // refused until "&Init Spline" succeeded
  void Install(ElTargets& t) override;

 private:
  SplineGruneisen FieldGruneisen();
  void FillData();
  void RefreshPressureColumn();

  std::shared_ptr<TNumStringFormat> format_;
  std::string inFile_, cefile_, gefile_;
  bool initVisible_ = false;
  bool dataVisible_ = false;
  CeModel ce_;  // read by "&Init Spline", installed by OK
  GeModel ge_;
  std::vector<std::array<Real, 6>> data_;
};

}  // namespace tarvex
