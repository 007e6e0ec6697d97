// The frames of the thermal-parameter dialog as form models: the base frame
// TElThermParFrame (common metal parameters, ion conductivity, the Materials list, OK,
// "NoConduct", No), the free-electron frame TMetParFrame, and the six metal frames
// derived from it.
//
// A derived frame's OK runs its parent's OK first and then installs its own slots: here
// Validate() and Install() of each class run the parent's first. Every input of the whole
// chain is checked before anything is installed; a refusal installs nothing.
#pragma once

#include <memory>
#include <string_view>

#include "core/electron/ElPageForm.h"

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
  void FillGold(AuParams& p, const ElectronState& e);
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

}  // namespace tarvex
