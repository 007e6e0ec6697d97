// The base frame, the free-electron frame and the metal frames of the thermal-parameter
// dialog.
#include "core/electron/ThermParFrames.h"

#include <algorithm>
#include <cmath>

#include "core/electron/ElectronConstants.h"
#include "core/electron/FreeElectronGas.h"
#include "core/electron/Materials.h"
#include "core/electron/Molybdenum.h"
#include "core/electron/Silver.h"
#include "core/electron/Tantalum.h"
#include "core/electron/TransMetal.h"
#include "core/eos/EosSlots.h"

namespace tarvex {

using electron::NAv;

namespace {

void BindFeg(ElectronModel& m, const FegParams& p) {
  BindElectronThermo<FegParams, &FegEnergy, &FegHeatCap, &FegPressure, &FegPressureDT>(m, p);
}

Real InvCbrt(Real x) {
  return 1 / std::cbrt(x);
}

Real InvCbrt2(Real x) {
  return 1 / std::cbrt(x * x);
}

}  // namespace

// ---- TElThermParFrame --------------------------------------------------------------------

TElThermParFrame::TElThermParFrame(const ElPageInfo& page, std::shared_ptr<TNumStringFormat> format)
    : TElPageForm(page, std::move(format)) {}

ElChoiceResult TElThermParFrame::ChooseMaterial(int32_t index) {
  ElChoiceResult r;
  if (index < -1 || index >= static_cast<int32_t>(kMaterials.size())) {
    r.accepted = false;
    r.message = "There is no material number " + std::to_string(index) + " (0.." +
                std::to_string(kMaterials.size() - 1) + ")";
    return r;
  }
  SetMaterialChoice(index);
  r.page = Page().index;
  r.material = index;
  if (index < 0) return r;
  const ElMaterialInfo& info = kMaterials[static_cast<size_t>(index)];
  // The spallation dialog selects the same metal (by name: its list has another order).
  r.spallMaterial = SpallMaterialIndex(info.spallName);
  const auto owned = Page().materials;
  if (std::find(owned.begin(), owned.end(), index) == owned.end()) {
    if (const ElPageInfo* target = FindElectronPage(info.page)) r.page = target->index;
    return r;
  }
  if (const ElPresetInfo* preset = FindPreset(Page(), info.name)) {
    ApplyPreset(*preset);
    r.side = preset->side;
  }
  return r;
}

ElOkResult TElThermParFrame::Validate() {
  return ValidateInputs();
}

ElOkResult TElThermParFrame::Ok(ElTargets& t, ElOkSource source) {
  ElOkResult r = Validate();
  if (!r) return r;
  // The leave logic of MatNo, as leaving the field runs it; it may move rho0 or n_at.
  LeaveMatNo();
  r = Validate();
  if (!r) return r;
  Install(t);
  if (source != ElOkSource::Code) {
    ElectronCommon& c = t.electron.common;
    c.ElMaterialIndex = MaterialChoice();
    c.ElMaterialName =
        MaterialChoice() >= 0 ? kMaterials[static_cast<size_t>(MaterialChoice())].name : "";
  }
  return Finish(t, source, true);
}

void TElThermParFrame::Install(ElTargets& t) {
  ElectronState& e = t.electron;
  ElectronCommon& c = e.common;
  const Real rho0 = Value("rhoEdit");
  c.ElRho0 = rho0;
  c.AtomMassG = Value("mEdit") / NAv;
  c.ElZ = ZValue();
  SetFermiParameters(c);
  c.CouplingConst = Value("alEdit") / rho0;
  c.IonKappaCoef = Value("k_iEdit");
  c.IonKappaB = Value("kirEdit");
  e.coupling.value = c.CouplingConst;
  e.model.Coupling = MakeSlot<ConstParams, &ConstValue>(e.coupling);
  e.ionKappa = MakeIonKappaParams(c.IonKappaCoef, c.IonKappaB, rho0);
  t.FilmEos.Kappa = MakeSlot<IonKappaParams, &IonKappa>(e.ionKappa);
  e.model.ElTofE = {};
}

void TElThermParFrame::No(ElTargets& t) {
  t.electron.model.ElConductivity = {};
}

void TElThermParFrame::DensityDisplays() {
  const FermiParameters f = FieldFermi();
  const Real rho0 = Value("rhoEdit");
  const Real TF = rho0 > 0 ? f.TFcoef * std::cbrt(rho0 * rho0) : 0;
  Show("TFEdit", TF);
  Show("EF0eVEdit", TF * electron::kBeV);
}

// ---- TMetParFrame -------------------------------------------------------------------------

void TMetParFrame::LeaveField(std::string_view name) {
  TElThermParFrame::LeaveField(name);
  if (name == "rho_mdEdit") DensityDisplays();
}

TMetParFrame::RhoMdChoice TMetParFrame::ChosenRhoMd() {
  return {Value("rho_mdEdit"), "rho_mdEdit"};
}

ElOkResult TMetParFrame::Validate() {
  ElOkResult r = TElThermParFrame::Validate();
  if (!r) return r;
  const RhoMdChoice md = ChosenRhoMd();
  if (!(std::isfinite(md.value) && md.value >= 0)) {
    return Refuse(md.field, "the free-electron cut-off density rho_md must not be negative");
  }
  if (!(md.value < Value("rhoEdit"))) {
    return Refuse(md.field,
                  "the free-electron cut-off density rho_md must lie below the reference density "
                  "rho0");
  }
  return r;
}

void TMetParFrame::Install(ElTargets& t) {
  TElThermParFrame::Install(t);
  const RhoMdChoice md = ChosenRhoMd();
  ElectronState& e = t.electron;
  e.common.RhoMd = md.value;
  e.Block<FegParams>() = MakeFegParams(e.common, 0.5L);
  BindFeg(e.model, e.Block<FegParams>());
  if (std::string_view(md.field) != "rho_mdEdit") Show("rho_mdEdit", md.value);
  DensityDisplays();
}

Real TMetParFrame::FieldFermiEnergyAtRho0() {
  const FermiParameters f = FieldFermi();
  const Real rho0 = Value("rhoEdit");
  const Real rhoMd = ChosenRhoMd().value;
  if (!(f.EFcoef > 0 && rho0 > 0 && rhoMd >= 0 && rho0 > rhoMd)) return 0;
  const Rho23Cache cache;
  return FermiEnergy(f.EFcoef, rhoMd, rho0, cache);
}

void TMetParFrame::DensityDisplays() {
  TElThermParFrame::DensityDisplays();
  if (!ShowsFreeElectronGamma()) return;
  // gamma(rho0) = (pi^2/2) kB^2 (Z/m_at) / E_F(rho0) [kJ/g/K^2].
  const Real EF = FieldFermiEnergyAtRho0();
  const Real M = Value("mEdit");
  Show("gEdit", EF > 0 ? electron::SommerfeldCoef * ZValue() * NAv / M / EF : 0);
}

// ---- TTransMetFrame -----------------------------------------------------------------------

void TTransMetFrame::FieldChanged(std::string_view name) {
  TMetParFrame::FieldChanged(name);
  if (name != "S0Edit") return;
  Real s0 = 0;
  if (FieldByName("S0Edit")->TryGetValue(s0)) Show("S1Edit", 1.3L * s0);
}

TMetParFrame::RhoMdChoice TTransMetFrame::ChosenRhoMd() {
  const Real VeC = Value("VeCEdit");
  return {VeC > 0 ? 1 / VeC : 0, "VeCEdit"};
}

void TTransMetFrame::Install(ElTargets& t) {
  TMetParFrame::Install(t);
  ElectronState& e = t.electron;
  TransMetParams& p = e.Block<TransMetParams>();
  p = TransMetParams{};
  const Real TeC = Value("TeCEdit");
  p.blend = BlendParams{e.Block<FegParams>(), TeC, TeC / 2, Value("VeCEdit"), &e.FilmPhase};
  const Real rho0 = e.common.ElRho0;
  p.rho0 = rho0;
  p.invRho0 = 1 / rho0;
  p.invCbrtRho0 = InvCbrt(rho0);
  // The band coefficients are entered x1e9.
  p.gammaV = 1e-9L * Value("gEdit");
  p.s0 = 1e-9L * Value("S0Edit");
  p.s1 = 1e-9L * Value("S1Edit");
  p.gs = 1e-9L * Value("csEdit");
  p.v0 = Value("v0Edit");
  p.vT = Value("vTEdit");
  p.ns = Value("nusEdit");
  p.nd = Value("nudEdit");
  p.nuR = 1e-6L * Value("nu_rEdit");
  p.rl0 = Value("rl0Edit");
  p.rl1 = Value("rl1Edit");
  p.rl2 = Value("rl2Edit");
  p.rh0 = Value("rh0Edit");
  p.rh1 = Value("rh1Edit");
  p.rh2 = Value("rh2Edit");
  p.rll0 = Value("r_ll0Edit");
  p.rll1 = Value("r_ll1Edit");
  p.rhl = Value("r_hl0Edit");
  p.CouplingConst = e.common.CouplingConst;
  ElectronModel& m = e.model;
  BindElectronThermo<TransMetParams, &BlendEe<TransMetParams>, &BlendCe<TransMetParams>,
                     &BlendPe<TransMetParams>, &BlendPeDT<TransMetParams>>(m, p);
  m.Coupling = MakeSlot<TransMetParams, &TransMetCoupling>(p);
  m.ElConductivity = MakeSlot3<TransMetParams, &TransMetConductivity>(p);
}

// ---- TTaParFrame --------------------------------------------------------------------------

TMetParFrame::RhoMdChoice TTaParFrame::ChosenRhoMd() {
  const Real VeC = Value("VeCEdit");
  return {VeC > 0 ? 0.5L / VeC : 0, "VeCEdit"};
}

void TTaParFrame::Install(ElTargets& t) {
  TMetParFrame::Install(t);
  ElectronState& e = t.electron;
  TaParams& p = e.Block<TaParams>();
  p = TaParams{};
  const Real TeC = Value("TeCEdit");
  p.blend = BlendParams{e.Block<FegParams>(), TeC, TeC / 2, Value("VeCEdit"), &e.FilmPhase};
  const Real rho0 = e.common.ElRho0;
  p.invRho0 = 1 / rho0;
  p.invRho0_23 = InvCbrt2(rho0);
  p.Ap = Value("ApEdit");
  p.Bp = Value("BpEdit");
  p.Cp = Value("CpEdit");
  const Real rho0k = Value("rho0kEdit");
  p.invRho0k = 1 / rho0k;
  p.invRho0k23 = InvCbrt2(rho0k);
  p.am = Value("amEdit");
  p.aq = Value("aqEdit");
  p.a0 = Value("a0Edit");
  p.a1 = Value("a1Edit");
  p.c0 = Value("c0Edit");
  p.c1 = Value("c1Edit");
  p.c2 = Value("c2Edit");
  p.a = Value("aEdit");
  const Real b = Value("bEdit");
  p.cab = (p.a - b) / (b + 1);
  p.ksiT0 = Value("ksiEdit") * Value("T0Edit");
  p.CouplingConst = e.common.CouplingConst;
  ElectronModel& m = e.model;
  BindElectronThermo<TaParams, &SolidEe, &SolidCe, &BlendPe<TaParams>, &BlendPeDT<TaParams>>(m, p);
  m.Coupling = MakeSlot<TaParams, &TaCoupling>(p);
  m.ElConductivity = MakeSlot3<TaParams, &TaConductivity>(p);
}

// ---- gold ---------------------------------------------------------------------------------

void TMetParFrame::FillGold(AuParams& p, ElectronState& e) {
  p = AuParams{};
  p.feg = e.Block<FegParams>();
  p.nuDl0 = Value("nu_dl0Edit");
  p.nuDl1 = Value("un_dl1Edit");
  p.beta = Value("dbetaEdit");
  p.phase = &e.FilmPhase;
  // The alpha field of the gold frames holds k_al.
  SetAuRates(p, e.common.ElRho0, Value("alEdit"), Value("nu_dsolEdit"));
}

void TMetParFrame::GoldDisplays() {
  const Real EFh = FieldFermiEnergyAtRho0() / electron::Hbar;  // [1/s]
  const Real TF = Value("TFEdit");
  Show("EFhEdit", EFh);
  Show("nuP1Edit", TF > 0 ? EFh / (TF * std::sqrt(TF)) : 0);
}

void TNobleMetFrame::DensityDisplays() {
  TMetParFrame::DensityDisplays();
  GoldDisplays();
}

void TNobleMetFrame::Install(ElTargets& t) {
  TMetParFrame::Install(t);
  ElectronState& e = t.electron;
  AuParams& p = e.Block<AuParams>();
  FillGold(p, e);
  ElectronModel& m = e.model;
  BindElectronThermo<AuParams, &AuEnergy, &AuHeatCap, &AuPressure, &AuPressureDT>(m, p);
  m.Coupling = MakeSlot<AuParams, &AuCoupling>(p);
  m.ElConductivity = MakeSlot3<AuParams, &AuConductivity>(p);
}

void TNewNobleMetFrame::DensityDisplays() {
  TMetParFrame::DensityDisplays();
  GoldDisplays();
}

void TNewNobleMetFrame::Install(ElTargets& t) {
  TMetParFrame::Install(t);
  ElectronState& e = t.electron;
  NAuParams& p = e.Block<NAuParams>();
  p = NAuParams{};
  FillGold(p.au, e);
  p.at = electron::ElectronVolt / e.common.AtomMassG;
  p.invRho0 = 1 / e.common.ElRho0;
  p.a2E = Value("a2EEdit");
  p.a4E = Value("a4EEdit");
  p.akE = Value("akEEdit");
  p.kE = Value("kEEdit");
  p.z0E = Value("z0EEdit");
  p.z2E = Value("z2EEdit");
  p.m1E = Value("m1EEdit");
  p.m2E = Value("m2EEdit");
  p.a2P = Value("a2PEdit");
  p.a4P = Value("a4PEdit");
  p.akP = Value("akPEdit");
  p.kP = Value("kPEdit");
  p.z0P = Value("z0PEdit");
  p.z2P = Value("z2PEdit");
  p.m1P = Value("m1PEdit");
  p.m2P = Value("m2PEdit");
  ElectronModel& m = e.model;
  BindElectronThermo<NAuParams, &NAuEnergy, &NAuHeatCap, &NAuPressure, &NAuPressureDT>(m, p);
  m.Coupling = MakeSlot<NAuParams, &NAuCoupling>(p);
  m.ElConductivity = MakeSlot3<NAuParams, &NAuConductivity>(p);
}

// ---- TAgParFrame --------------------------------------------------------------------------

void TAgParFrame::Install(ElTargets& t) {
  TMetParFrame::Install(t);
  ElectronState& e = t.electron;
  AgParams& p = e.Block<AgParams>();
  p = AgParams{};
  p.feg = e.Block<FegParams>();
  const Real rho0k = Value("rho0kEdit");
  p.invRho0k = 1 / rho0k;
  p.invRho0k23 = InvCbrt2(rho0k);
  p.tCoef = Value("kEdit") / (Value("TF0Edit") * Value("eV_KBEdit"));
  p.a0 = Value("a0Edit");
  p.b0 = Value("b0Edit");
  p.b1 = Value("b1Edit");
  p.b2 = Value("b2Edit");
  p.cv1 = Value("cv1Edit");
  p.cv2 = Value("cv2Edit");
  p.cv3 = Value("cv3Edit");
  p.cvp = Value("cvpEdit");
  p.a = Value("aEdit");
  const Real b = Value("bEdit");
  p.cab = (p.a - b) / (b + 1);
  p.Trt = Value("TrtEdit");
  const Real xrt = Value("xrt1Edit") / Value("xrt2Edit");
  p.keiScale = Value("TksolEdit") * p.Trt / (xrt * ConductivityShape(xrt, p.a, p.cab));
  e.HeatFluxLimit = Value("qTlimEdit");
  // The gas slots on this block too, so that they share its cube root with the
  // conductivity.
  BindFeg(e.model, p.feg);
  e.model.ElConductivity = MakeSlot3<AgParams, &AgConductivity>(p);
}

// ---- TMoParFrame --------------------------------------------------------------------------

void TMoParFrame::Install(ElTargets& t) {
  TMetParFrame::Install(t);
  ElectronState& e = t.electron;
  MoParams& p = e.Block<MoParams>();
  p = MoParams{};
  const Real rho00 = Value("rho00Edit");
  p.invRho00 = 1 / rho00;
  p.invRho00_23 = InvCbrt2(rho00);
  p.ap = Value("apEdit");
  p.bp = Value("bpEdit");
  p.aeRho0 = Value("aeEdit") / e.common.ElRho0;
  p.be = Value("beEdit");
  e.conductivity.value = Value("kappaEdit");
  ElectronModel& m = e.model;
  BindElectronThermo<MoParams, &MoEnergy, &MoHeatCap, &MoPressure, &MoPressureDT>(m, p);
  m.ElConductivity = MakeSlot3<ConstParams, &ConstValue3>(e.conductivity);
}

}  // namespace tarvex
