// The frames of the fitted-conductivity metals ("Met_kab") and of the fitted gold,
// ruthenium and tin models ("Au1", "Ru", "Rextr").
#include <cmath>
#include <string>

#include "core/electron/ElectronConstants.h"
#include "core/electron/FittedGold.h"
#include "core/electron/Ruthenium.h"
#include "core/electron/ThermParFrames.h"
#include "core/electron/Tin.h"

namespace tarvex {

using electron::NAv;

namespace {

Real Cbrt2(Real x) {
  return std::cbrt(x * x);
}

constexpr const char* kTransMetPanel = "TransMetPanel";
constexpr const char* kTiPanel = "TiEOSPanel";
constexpr const char* kTransMetFields[] = {"gammaEdit", "S0Edit", "S1Edit"};
constexpr const char* kTiFields[] = {"P0Edit", "P1Edit", "P2Edit", "P1pEdit", "P2pEdit",
                                     "E0Edit", "E1Edit", "E2Edit", "E1pEdit", "E2pEdit",
                                     "g0Edit", "g1Edit", "h1Edit", "g2Edit",  "h2Edit"};

}  // namespace

// ---- TMetEFFrame ----------------------------------------------------------------------------

void TMetEFFrame::ApplyVeC() {
  const Real VeC = Value("VeCEdit");
  if (VeC != 0 && !Edited("rho_mdEdit")) Show("rho_mdEdit", 1 / VeC);
}

void TMetEFFrame::FieldChanged(std::string_view name) {
  TElThermParFrame::FieldChanged(name);
  if (name != "rhoEdit") return;
  const Real VeC = Value("VeCEdit");
  if (VeC > 0) Show("rho_mdEdit", std::max(Value("rho_mdEdit"), 1 / VeC));
  DensityDisplays();
}

void TMetEFFrame::LeaveField(std::string_view name) {
  TElThermParFrame::LeaveField(name);
  if (name == "VeCEdit") ApplyVeC();
  if (name == "VeCEdit" || name == "rho_mdEdit") DensityDisplays();
}

void TMetEFFrame::DensityDisplays() {
  TElThermParFrame::DensityDisplays();
  // gamma(rho0) = (pi^2/2) kB^2 (Z/m_at)/E_F(rho0), E_F with the density switch of rho_md.
  const FermiParameters f = FieldFermi();
  const Real rho0 = Value("rhoEdit");
  const Real rhoMd = Value("rho_mdEdit");
  const Real M = Value("mEdit");
  Real EF = 0;
  if (f.EFcoef > 0 && rho0 > 0 && rhoMd >= 0 && rho0 > rhoMd) {
    const Rho23Cache cache;
    EF = FermiEnergy(f.EFcoef, rhoMd, rho0, cache);
  }
  Show("gEdit", EF > 0 && M > 0 ? electron::SommerfeldCoef * ZValue() * NAv / M / EF : 0);
}

ElOkResult TMetEFFrame::Validate() {
  ElOkResult r = TElThermParFrame::Validate();
  if (!r) return r;
  ApplyVeC();
  if (!(Value("rho_mdEdit") < Value("rhoEdit"))) {
    return Refuse("rho_mdEdit",
                  "the cut-off density rho_md (1/VeC unless edited) must lie below the reference "
                  "density rho0");
  }
  return r;
}

void TMetEFFrame::Install(ElTargets& t) {
  TElThermParFrame::Install(t);
  ElectronState& e = t.electron;
  const Real rhoMd = Value("rho_mdEdit");
  const Real TeC = Value("TeCEdit");
  e.common.RhoMd = rhoMd;
  MetEFParams& ef = e.Block<MetKabParams>().ef;
  ef = MetEFParams{};
  // The gas of this page: gamma(rho) = Gamma/rho^(2/3) with no density switch (Gamma is
  // the same with or without one); the wrappers switch the electrons off.
  ef.feg = MakeFegParams(e.common, 0.5L);
  ef.feg.RhoMd = 0;
  ef.feg.RhoMd2 = 0;
  ef.RhoMd = rhoMd;
  ef.RhoMd2 = 2 * rhoMd;
  ef.TeC = TeC;
  ef.TeHalf = TeC / 2;
  ef.phase = &e.FilmPhase;
  DensityDisplays();
}

// ---- TMet_kabFrame ---------------------------------------------------------------------------

TMet_kabFrame::TMet_kabFrame(const ElPageInfo& page, std::shared_ptr<TNumStringFormat> format)
    : TMetEFFrame(page, std::move(format)) {
  ShowPanels();
}

void TMet_kabFrame::ShowPanels() {
  const bool trans = Check(kTransMetPanel).value_or(false);
  const bool ti = Check(kTiPanel).value_or(false);
  for (const char* f : kTransMetFields) SetVisible(f, trans);
  for (const char* f : kTiFields) SetVisible(f, ti);
}

void TMet_kabFrame::CheckChanged(std::string_view name) {
  TMetEFFrame::CheckChanged(name);
  if (name == kTransMetPanel && Check(kTransMetPanel).value_or(false)) SetCheck(kTiPanel, false);
  if (name == kTiPanel && Check(kTiPanel).value_or(false)) SetCheck(kTransMetPanel, false);
  ShowPanels();
}

void TMet_kabFrame::FieldChanged(std::string_view name) {
  TMetEFFrame::FieldChanged(name);
  if (name != "S0Edit") return;
  Real s0 = 0;
  if (FieldByName("S0Edit")->TryGetValue(s0)) Show("S1Edit", 1.3L * s0);
}

MetKabReference TMet_kabFrame::Reference() {
  return MetKabReferencePoint(FieldFermi().TFcoef, Value("rho00Edit"), Value("rhoRtEdit"),
                              Value("TrEdit"), Value("aEdit"), Value("bEdit"), Value("rho_lmEdit"),
                              Value("TmEdit"), Value("aml1Edit"), Value("aml2Edit"),
                              Value("bmlEdit"), Value("pmlEdit"));
}

void TMet_kabFrame::LeaveField(std::string_view name) {
  TMetEFFrame::LeaveField(name);
  const bool solid = name == "k0sEdit" || name == "k0sxrtEdit";
  const bool liquid = name == "k0lEdit" || name == "k0lxlmEdit";
  if (!solid && !liquid) return;
  // The reference points of the fields as they stand now (a point not yet given leaves
  // the other field as it is).
  const MetKabReference r = Reference();
  if (solid) {
    const Real f = r.xrt * r.yrt;
    if (!(std::isfinite(f) && f > 0)) return;
    if (name == "k0sEdit") {
      Show("k0sxrtEdit", Value("k0sEdit") / f);
    } else {
      Show("k0sEdit", Value("k0sxrtEdit") * f);
    }
  } else {
    const Real f = r.xlm * r.cvl;
    if (!(std::isfinite(f) && f > 0)) return;
    if (name == "k0lEdit") {
      Show("k0lxlmEdit", Value("k0lEdit") / f);
    } else {
      Show("k0lEdit", Value("k0lxlmEdit") * f);
    }
  }
}

ElOkResult TMet_kabFrame::Validate() {
  ElOkResult r = TMetEFFrame::Validate();
  if (!r) return r;
  const MetKabReference ref = Reference();
  if (!(std::isfinite(ref.yrt) && ref.yrt > 0 && std::isfinite(ref.cvl) && ref.cvl > 0)) {
    return Refuse("rhoRtEdit",
                  "the conductivity fit has no positive value at its reference points (rho_rt, Tr) "
                  "and (rho_lm, Tm)");
  }
  return r;
}

bool TMet_kabFrame::Saved(std::string_view name) const {
  return name != "k0sxrtEdit" && name != "k0lxlmEdit";
}

void TMet_kabFrame::Install(ElTargets& t) {
  TMetEFFrame::Install(t);
  ElectronState& e = t.electron;
  const ElectronCommon& c = e.common;
  MetKabParams& p = e.Block<MetKabParams>();
  MetEFParams& ef = p.ef;

  // The conductivity fit, with k0sxrt and k0lxlm from k0s and k0l at the reference
  // points as they stand.
  const MetKabReference ref = Reference();
  Show("k0sxrtEdit", Value("k0sEdit") / (ref.xrt * ref.yrt));
  Show("k0lxlmEdit", Value("k0lEdit") / (ref.xlm * ref.cvl));
  MetKabKappaParams& k = p.kappa;
  k = MetKabKappaParams{};
  k.RhoMd = ef.RhoMd;
  k.RhoMd2 = ef.RhoMd2;
  k.TeC = ef.TeC;
  k.TFcoef = c.TFcoef;
  const Real rho00 = Value("rho00Edit");
  k.invRho00 = 1 / rho00;
  k.k0e = Value("k0eEdit");
  k.a1 = Value("a1Edit");
  k.b0 = Value("b0Edit");
  k.b1 = Value("b1Edit");
  k.b2 = Value("b2Edit");
  k.a = Value("aEdit");
  const Real b = Value("bEdit");
  k.cab = (k.a - b) / (b + 1);
  k.am1 = Value("am1Edit");
  k.am2 = Value("am2Edit");
  k.bm = Value("bmEdit");
  k.pm = Value("pmEdit");
  const Real Tr = Value("TrEdit");
  const Real cvrRt = MetKabHeatCapShape(ref.trt, k.am1, k.am2, k.bm, k.pm);
  k.k0sxrtTr = Value("k0sxrtEdit") * Tr / cvrRt;
  k.aml1 = Value("aml1Edit");
  k.aml2 = Value("aml2Edit");
  k.bml = Value("bmlEdit");
  k.pml = Value("pmlEdit");
  k.al1 = Value("al1Edit");
  k.al2 = Value("al2Edit");
  const Real Tm = Value("TmEdit");
  const Real kTiTm = (1 + k.al1 / Tm) / (1 + k.al2 / Tm);
  k.k0lxlm = Value("k0lxlmEdit") / kTiTm;
  k.phase = &e.FilmPhase;

  ElectronModel& m = e.model;
  if (Check(kTransMetPanel).value_or(false)) {
    TransMetParams& tm = p.transMet;
    tm = TransMetParams{};
    tm.rho0 = c.ElRho0;
    tm.invRho0 = 1 / c.ElRho0;
    tm.invCbrtRho0 = 1 / std::cbrt(c.ElRho0);
    tm.gammaV = 1e-9L * Value("gammaEdit");
    tm.s0 = 1e-9L * Value("S0Edit");
    tm.s1 = 1e-9L * Value("S1Edit");
    ef.SolidEe = MakeSlot<TransMetParams, &SolidEe>(tm);
    ef.SolidCe = MakeSlot<TransMetParams, &SolidCe>(tm);
    ef.SolidPe = MakeSlot<TransMetParams, &SolidPe>(tm);
    ef.SolidPeDT = MakeSlot<TransMetParams, &SolidPeDT>(tm);
    p.transCoupling = MetKabTransCouplingParams{c.CouplingConst, Tr};
    m.Coupling = MakeSlot<MetKabTransCouplingParams, &MetKabTransCoupling>(p.transCoupling);
  } else if (Check(kTiPanel).value_or(false)) {
    TiElParams& ti = p.ti;
    ti = TiElParams{};
    ti.RhoMd = ef.RhoMd;
    ti.TFcoef = c.TFcoef;
    ti.invRho00 = 1 / rho00;
    ti.invRho0023 = 1 / Cbrt2(rho00);
    ti.P0 = Value("P0Edit");
    ti.P1 = Value("P1Edit");
    ti.P2 = Value("P2Edit");
    ti.P1p = Value("P1pEdit");
    ti.P2p = Value("P2pEdit");
    ti.E0 = Value("E0Edit");
    ti.E1 = Value("E1Edit");
    ti.E2 = Value("E2Edit");
    ti.E1p = Value("E1pEdit");
    ti.E2p = Value("E2pEdit");
    ti.g0 = Value("g0Edit");
    ti.g1 = Value("g1Edit");
    ti.h1 = Value("h1Edit");
    ti.g2 = Value("g2Edit");
    ti.h2 = Value("h2Edit");
    ti.couplingScale = 1e8L / rho00;
    ef.SolidEe = MakeSlot<TiElParams, &TiSolidEe>(ti);
    ef.SolidCe = MakeSlot<TiElParams, &TiSolidCe>(ti);
    ef.SolidPe = MakeSlot<TiElParams, &TiSolidPe>(ti);
    ef.SolidPeDT = MakeSlot<TiElParams, &TiSolidPeDT>(ti);
    m.Coupling = MakeSlot<TiElParams, &TiCoupling>(ti);
  } else {
    // Al: the free-electron gas alone, its own dPe/dTe included; the constant coupling
    // of the base frame stays.
    ef.SolidEe = MakeSlot<FegParams, &FegEnergy>(ef.feg);
    ef.SolidCe = MakeSlot<FegParams, &FegHeatCap>(ef.feg);
    ef.SolidPe = MakeSlot<FegParams, &FegPressure>(ef.feg);
    ef.SolidPeDT = MakeSlot<FegParams, &FegPressureDT>(ef.feg);
  }
  BindElectronThermo<MetEFParams, &MetEFEnergy, &MetEFHeatCap, &MetEFPressure, &MetEFPressureDT>(
      m, ef);
  m.ElConductivity = MakeSlot3<MetKabKappaParams, &MetKabConductivity>(k);
}

// ---- TAu1ParFrame ---------------------------------------------------------------------------

namespace {

constexpr Real kKee1Extr = 9.294L, kKsei1Extr = 20638.7L;  // the extrapolated new fit
constexpr Real kKee1New = 1.1502L, kKsei1New = 5923130;    // the new fit
constexpr Real kProposedFluxLimit = 1E7L;                  // [kW/cm2]

}  // namespace

void TAu1ParFrame::EnterField(std::string_view name) {
  TElThermParFrame::EnterField(name);
  if (name == "qTlimEdit" && Value("qTlimEdit") == 0) Show("qTlimEdit", kProposedFluxLimit);
}

void TAu1ParFrame::CheckChanged(std::string_view name) {
  TElThermParFrame::CheckChanged(name);
  if (name != "NewExtrCheck") return;
  const bool extr = Check("NewExtrCheck").value_or(false);
  Show("kee1Edit", extr ? kKee1Extr : kKee1New);
  Show("ksei1Edit", extr ? kKsei1Extr : kKsei1New);
}

ElOkResult TAu1ParFrame::Validate() {
  ElOkResult r = TElThermParFrame::Validate();
  if (!r) return r;
  const Real VeC = Value("VeCEdit");
  if (VeC > 0 && !(0.5L / VeC < Value("rhoEdit"))) {
    return Refuse("VeCEdit",
                  "the cut-off density rho_md = 0.5/VeC must lie below the reference density rho0");
  }
  return r;
}

void TAu1ParFrame::Install(ElTargets& t) {
  TElThermParFrame::Install(t);
  ElectronState& e = t.electron;
  ElectronCommon& c = e.common;
  const Real TeC = Value("TeCEdit");
  const Real VeC = Value("VeCEdit");
  c.RhoMd = VeC > 0 ? 0.5L / VeC : 0;
  Show("rho_mdEdit", c.RhoMd);
  const Real al = Value("alEdit");
  c.CouplingConst = al;  // as entered: the coupling below carries its own scale
  Au1Params& p = e.Block<Au1Params>();
  p = Au1Params{};
  p.blend = BlendParams{MakeFegParams(c, 0.5L), TeC, TeC / 2, VeC, &e.FilmPhase};
  const Real rho0e = Value("rho0eEdit");
  p.invRho0e = 1 / rho0e;
  p.tau = Value("tEdit");
  p.E0r = Value("E0FEdit") / rho0e;
  p.Gammae = Value("GammaeEdit");
  p.e1 = Value("e1Edit");
  p.e2 = Value("e2Edit");
  p.e4 = Value("e4Edit");
  p.de = Value("deltaeEdit");
  p.z0 = Value("z0Edit");
  p.z2 = Value("z2Edit");
  p.m1 = Value("m1Edit");
  p.m2 = Value("m2Edit");

  const bool constKappa = Check("ConstKappaCheck").value_or(false);
  const bool newKappa = Check("NewKappaCheck").value_or(false);
  const bool newExtr = Check("NewExtrCheck").value_or(false);
  p.al = al;
  p.kalCoef = 4.3L / Value("KalEdit");
  p.couplingScale = 1e8L / rho0e / Cbrt2(c.ElRho0);
  p.extrapolatedCoupling = newKappa && newExtr;
  p.invAt1 = 1 / Value("at1Edit");
  p.invAt2 = 1 / Value("at2Edit");

  p.kappa = constKappa ? Au1Kappa::Constant
            : newKappa ? (newExtr ? Au1Kappa::NewExtrFit : Au1Kappa::NewFit)
                       : Au1Kappa::PhaseFit;
  p.kScal = Value("k_scalEdit");
  p.ke = Value("keEdit");
  // Phase fit.
  p.tkCoef = Value("kEdit") / (Value("TF0Edit") * Value("eV_KBEdit"));
  p.a0 = Value("a0Edit");
  p.b0 = Value("b0Edit");
  p.b1 = Value("b1Edit");
  p.b2 = Value("b2Edit");
  p.ke1 = Value("ke1Edit");
  p.ke2 = Value("ke2Edit");
  p.a = Value("aEdit");
  const Real b = Value("bEdit");
  p.cab = (p.a - b) / (b + 1);
  p.k01 = Value("k01Edit");
  p.k02 = Value("k02Edit");
  p.k03 = Value("k03Edit");
  const Real brm = Value("brm1Edit") / Value("brm2Edit");
  p.solScale = p.ke1 * p.ke2 /
               (brm * std::cbrt(brm) * ConductivityShape(brm, p.a, p.cab) *
                Au1CollisionShape(p, p.tkCoef * kAu1RoomT / brm));
  p.r0 = Value("r0Edit");
  p.g = Value("gEdit");
  p.rbl0 = Value("rbl0Edit");
  p.rbl1 = Value("rbl1Edit");
  p.Ts = Value("TsEdit");
  p.Tm = Value("TmEdit");
  p.xbl0 = Value("xbl0Edit");
  p.xbl1 = Value("xbl1Edit");
  p.xbl2 = Value("xbl2Edit");
  p.xbl3 = Value("xbl3Edit");
  // New fits.
  p.invRho0k = 1 / (p.kappa == Au1Kappa::PhaseFit ? Value("rho0kEdit") : Value("NewRho0k"));
  p.Te1 = Value("Te1Edit");
  p.kee1 = Value("kee1Edit");
  p.keea = Value("keeaEdit");
  p.keeb2 = Value("keeb2Edit");
  p.keeb4 = Value("keeb4Edit");
  p.ya1 = Value("ya1Edit");
  p.yap = Value("yapEdit");
  p.yb1 = Value("yb1Edit");
  p.ybp = Value("ybpEdit");
  p.ksei1 = Value("ksei1Edit");
  p.ca1 = Value("ca1Edit");
  p.cap = Value("capEdit");
  p.cb1 = Value("cb1Edit");
  p.cbp = Value("cbpEdit");
  p.Sb0 = Value("Sb0Edit");
  p.Sb1 = Value("Sb1Edit");
  p.Sb2 = Value("Sb2Edit");
  p.Tr = Value("TrEdit");
  p.cy = Value("cyEdit");
  p.cra1 = Value("cra1Edit");
  p.cra2 = Value("cra2Edit");
  p.crb1 = Value("crb1Edit");
  p.crb2 = Value("crb2Edit");
  e.HeatFluxLimit = Value("qTlimEdit");

  ElectronModel& m = e.model;
  BindElectronThermo<Au1Params, &BlendEe<Au1Params>, &BlendCe<Au1Params>, &BlendPe<Au1Params>,
                     &BlendPeDT<Au1Params>>(m, p);
  m.Coupling = MakeSlot<Au1Params, &Au1Coupling>(p);
  m.ElConductivity = MakeSlot3<Au1Params, &Au1Conductivity>(p);
}

// ---- TRuElParFrame --------------------------------------------------------------------------

void TRuElParFrame::Install(ElTargets& t) {
  TElThermParFrame::Install(t);
  ElectronState& e = t.electron;
  const Real rho0 = e.common.ElRho0;
  RuParams& p = e.Block<RuParams>();
  p = RuParams{};
  p.invRho0 = 1 / rho0;
  p.P = RuFit{Value("c0PEdit") / rho0, Value("a1PEdit"), Value("a0PEdit"),
              Value("b2PEdit"),        Value("b1PEdit"), Value("b0PEdit")};
  p.E = RuFit{Value("c0EEdit") / rho0, Value("a1eEdit"), Value("a0eEdit"),
              Value("b2EEdit"),        Value("b1EEdit"), Value("b0EEdit")};
  p.alpha = Value("alEdit");
  p.al1 = Value("al1Edit");
  p.Tal = Value("TalEdit");
  const Real Rho0k = Value("Rho0kEdit");
  p.invRho0k = 1 / Rho0k;
  p.invRho0k23 = 1 / Cbrt2(Rho0k);
  p.a = Value("aEdit");
  const Real b = Value("bEdit");
  p.cab = (p.a - b) / (b + 1);
  p.am2 = Value("am2Edit");
  p.am = Value("amEdit");
  p.bm = Value("bmEdit");
  p.ka0 = Value("a0Edit");
  p.ka1 = Value("a1Edit");
  p.kb1 = Value("b1Edit");
  p.kb2 = Value("b2Edit");
  p.kb3 = Value("b3Edit");
  // The electron-ion term at rho0 and the room temperature Trt0.
  const Real Trt0 = Value("Trt0Edit");
  const Real xrt = rho0 / Rho0k;
  const Real trt = 0.75L * electron::kBeV * Trt0 / Cbrt2(xrt);
  p.keiScale =
      Value("krtEdit") * Trt0 / (xrt * ConductivityShape(xrt, p.a, p.cab) * RuHeatCapShape(p, trt));
  ElectronModel& m = e.model;
  BindElectronThermo<RuParams, &RuEnergy, &RuHeatCap, &RuPressure, &RuPressureDT>(m, p);
  m.Coupling = MakeSlot<RuParams, &RuCoupling>(p);
  m.ElConductivity = MakeSlot3<RuParams, &RuConductivity>(p);
}

// ---- TElRextr -------------------------------------------------------------------------------

void TElRextr::Install(ElTargets& t) {
  TElThermParFrame::Install(t);
  ElectronState& e = t.electron;
  const ElectronCommon& c = e.common;
  const Real rho0 = c.ElRho0;
  SnParams& p = e.Block<SnParams>();
  p = SnParams{};
  p.invRho0 = 1 / rho0;
  p.invRho0_23 = 1 / Cbrt2(rho0);
  p.tCoef = 6 / c.TFcoef;
  p.a0 = Value("a0Edit");
  p.a1 = Value("a1Edit");
  p.a2 = Value("a2Edit");
  p.b1 = Value("b1Edit");
  p.b2 = Value("b2Edit");
  p.b3 = Value("b3Edit");
  p.IGr = Value("IGr0eEdit");
  // dEe/dTe at the model's own rho0: 6 IGr_e P'(t)/(T_F(rho0) rho0).
  p.CeCoef = 6 * p.IGr / (c.TFcoef * Cbrt2(rho0) * rho0);
  const Real r00 = Value("r00Edit");
  p.invR00 = 1 / r00;
  p.invR00_23 = 1 / Cbrt2(r00);
  p.alphaAl0 = Value("alEdit") * Value("al0Edit") / r00;
  p.al1 = Value("al1Edit");
  p.al2 = Value("al2Edit");
  p.al3 = Value("al3Edit");
  p.al4 = Value("al4Edit");
  p.kScal = Value("k_scallEdit");
  p.Aee = Value("AeeEdit");
  p.b0k = Value("b0kEdit");
  p.b1k = Value("b1kEdit");
  p.b2k = Value("b2kEdit");
  p.b3k = Value("b3kEdit");
  p.b4k = Value("b4kEdit");
  p.c0k = Value("c0kEdit");
  p.c1k = Value("c1kEdit");
  p.c2k = Value("c2kEdit");
  p.c3k = Value("c3kEdit");
  p.a = Value("aEdit");
  const Real b = Value("bEdit");
  p.cab = (p.a - b) / (b + 1);
  p.Trm = Value("TrmEdit");
  p.gam = Value("gamEdit");
  p.invYr = 1 / ConductivityShape(rho0 / r00, p.a, p.cab);
  // t at (rho0, Trm).
  const Real trm = p.tCoef * p.Trm / Cbrt2(rho0);
  p.keiScale = Value("AeiEdit") / ((1 + p.gam) * SnHeatCapShape(p, trm));
  ElectronModel& m = e.model;
  BindElectronThermo<SnParams, &SnEnergy, &SnHeatCap, &SnPressure, &SnPressureDT>(m, p);
  m.Coupling = MakeSlot<SnParams, &SnCoupling>(p);
  m.ElConductivity = MakeSlot3<SnParams, &SnConductivity>(p);
}

}  // namespace tarvex
