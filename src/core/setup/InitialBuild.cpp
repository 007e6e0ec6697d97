// TInitional: building the initial state (new state and Add layer) and the final steps of
// OK.
//
// The profile is computed into scratch arrays first, from the fields and the equations of
// state; the session and the instances change only after every cell came out finite, so a
// refused OK leaves the state as it was.
#include <algorithm>
#include <cmath>

#include "core/common/Prompter.h"
#include "core/eos/EosSlots.h"
#include "core/hydro/HydrStat.h"
#include "core/laser/LaserSource.h"
#include "core/session/Session.h"
#include "core/session/SolverCatalog.h"
#include "core/setup/InitialConditions.h"

namespace tarvex {

void FillTwoTemperature(Session& s, const TwoTemperatureSetup& tt) {
  const EosState& eos = s.eos;
  const TActiveEos& a = eos.ActiveEos;
  const ElectronModel& em = s.electron.model;
  auto pe = [&](Real rho, Real Te) { return em.ElPressure ? em.ElPressure(rho, Te) : Real(0); };
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    RealArray* Te = st->ArrayByName("Te");
    RealArray* Ei = st->ArrayByName("Ei");
    RealArray* Ee = st->ArrayByName("Ee");
    if (Te == nullptr || Ei == nullptr || Ee == nullptr) continue;
    RealArray* Pe = st->ArrayByName("Pe");
    RealArray* Pi = st->ArrayByName("Pi");
    const int32_t N = st->CellCount();
    for (int32_t i = 0; i < N; ++i) {
      const bool film = i >= tt.firstFilmCell && i <= tt.lastFilmCell;
      const bool substrate = IsSubstrateCell(i, N, s.sim.InGlass);
      if (substrate) {
        // One temperature: the electrons are the substrate's, at its temperature.
        (*Te)[i] = st->T[i];
        (*Ee)[i] = 0;
        (*Ei)[i] = st->E[i];
        if (Pe != nullptr) (*Pe)[i] = 0;
        if (Pi != nullptr) (*Pi)[i] = st->P[i];
        continue;
      }
      if (!film) continue;
      const Real rho = st->Density(i);
      Real Ti = st->T[i];
      Real TeI = Ti;
      if (tt.FixTe) {
        TeI = tt.FixedTe;
      } else {
        if (tt.model == kModelTiTeT0 || tt.model == kModelTiTeTlast) TeI = tt.TeEdit;
        if (tt.model == kModelTeTiT0) Ti = tt.Tini;
        if (tt.model == kModelTeTiTlast) Ti = tt.Tgr;
      }
      st->T[i] = Ti;
      (*Te)[i] = TeI;
      (*Ei)[i] = a.Eion(rho, Ti);
      (*Ee)[i] = em.ElEnergy(rho, TeI);
      st->E[i] = (*Ei)[i] + (*Ee)[i];
      if (tt.NoMove) {
        st->P[i] = 0;
        continue;
      }
      const Real pi = a.Pion(rho, Ti);
      const Real pel = pe(rho, TeI);
      if (Pe != nullptr) (*Pe)[i] = pel;
      if (Pi != nullptr) (*Pi)[i] = pi;
      st->P[i] = pi + pel;
    }
  }
}

// Where the profile goes: cells F..Lf of the film (new state) or of the added layer, the
// initial region F..kf, and the film-relative coordinates of the growth shapes.
struct TInitional::Layout {
  int32_t N = 0;        // cells of the whole grid after OK
  int32_t InGlass = 0;  // signed substrate cell count (new state)
  int32_t F = 0;        // first profiled cell
  int32_t Lf = -1;      // last profiled cell
  int32_t kf = 0;       // last cell of the initial region
  Real x1 = 1;          // cm per user unit
  Real h0 = 0;          // film cell width [cm] (new state)
  Real w = 0;           // substrate (or added-layer) cell width [cm], planar equal-mass
  Real cellU = 0;       // width of a profiled cell [user units]
  Real rho = 0;         // density of the profiled cells
  bool growth = false;  // cells beyond the initial region exist
};

struct TInitional::BuiltProfile {
  RealArray P;  // N entries; only the profiled and substrate cells are meaningful
  RealArray T;
  RealArray E;
  Real T0l = 0;
  Real P0l = 0;
  Real Eglass = 0;
};

namespace {

// Last cell of the initial region: the cells whose centre lies at or before xf, at least
// the first one, at most the last. xf and cellU in user units, film-relative.
int32_t InitialRegionEnd(int32_t F, int32_t Lf, Real xfU, Real cellU) {
  Real j = std::floor((xfU - cellU / 2) / cellU);
  j = std::clamp(j, Real{0}, static_cast<Real>(Lf - F));
  return F + static_cast<int32_t>(j);
}

InitialOkResult Refused(std::string message, std::string focus = {}) {
  InitialOkResult r;
  r.message = std::move(message);
  r.focus = std::move(focus);
  return r;
}

}  // namespace

TInitional::Layout TInitional::MakeLayout() {
  Layout L;
  L.x1 = x1Edit.Value();
  const Real xfU = xf.Value();
  if (StatEqButtonVisible) {
    L.N = Dimension;
    L.InGlass = CheckOut ? -xShiftDiv : xShiftDiv;
    L.F = FirstFilmCell(L.InGlass);
    L.Lf = LastFilmCell(L.N, L.InGlass);
    L.h0 = Len.Value() * L.x1 / static_cast<Real>(L.N);
    L.cellU = L.h0 / L.x1;
    L.rho = Rho0.Value();
    const Real r = rho0l.Value();
    L.w = r > 0 ? L.h0 * L.rho / r : L.h0;
  } else {
    const int32_t old = s_.StateA != nullptr ? s_.StateA->CellCount() : 0;
    L.N = old + xShiftDiv;
    L.InGlass = s_.sim.InGlass;
    L.F = old;
    L.Lf = L.N - 1;
    L.rho = rho0l.Value();
    L.w = L.rho > 0 ? s_.sim.CellMassUniform / L.rho : 0;
    L.h0 = s_.sim.h0;
    L.cellU = L.w / L.x1;
  }
  if (L.Lf >= L.F && L.cellU > 0) {
    L.kf = InitialRegionEnd(L.F, L.Lf, xfU, L.cellU);
    L.growth = L.kf < L.Lf;
  } else {
    L.kf = L.Lf;
  }
  return L;
}

bool TInitional::GrowthNeeded() {
  if (!(Len.Value() > 0) || !(x1Edit.Value() > 0) || Dimension <= 0) return true;
  if (!StatEqButtonVisible && (s_.StateA == nullptr || !(rho0l.Value() > 0))) return true;
  return MakeLayout().growth;
}

bool TInitional::ComputeProfile(const Layout& L, BuiltProfile& p, std::string& failField,
                                std::string& message) {
  const TActiveEos& a = s_.eos.ActiveEos;
  const size_t n = static_cast<size_t>(L.N);
  p.P.assign(n, 0);
  p.T.assign(n, 0);
  p.E.assign(n, 0);
  const Real rho = L.rho;

  // Initial region: the prescribed quantity, the other one from the EOS at the density of
  // these cells (the layer density in Add-layer mode, where the fields' pair was formed at
  // the film density). With FixTe the pressure holds the electron part at the fixed Te and
  // is taken as it stands.
  Real Pi = Pini.Value();
  Real Ti = Tini.Value();
  if (!FixTe && RadioGroup1 == kProfileTemp) {
    Pi = a.P(rho, Ti);
  } else if (!FixTe && RadioGroup1 == kProfilePress) {
    Ti = a.TofP(rho, Pi);
  }
  const Real Ei = a.E(rho, Ti);
  for (int32_t k = L.F; k <= L.kf; ++k) {
    p.P[k] = Pi;
    p.T[k] = Ti;
    p.E[k] = Ei;
  }

  // Growth region.
  if (L.growth) {
    const bool press = RadioGroup1 == kProfilePress;
    GrowthProfile g;
    g.shape = GrouthFunc;
    g.Y0 = press ? Pi : Ti;
    g.Y1 = press ? Pgr.Value() : Tgr.Value();
    g.xf = xf.Value();
    g.d = Dist.Value();
    g.sLast = (static_cast<Real>(L.Lf - L.F) + 0.5L) * L.cellU;
    g.sEnd = static_cast<Real>(L.Lf - L.F + 1) * L.cellU;
    g.kf = L.kf;
    g.n = L.Lf - L.kf;
    // Step is the constant Y1; like every shape it takes the other quantity from the EOS
    // at the cells' density (the same pair the Pgr/Tgr fields hold at rho0).
    for (int32_t k = L.kf + 1; k <= L.Lf; ++k) {
      const Real s = (static_cast<Real>(k - L.F) + 0.5L) * L.cellU;
      const Real y = GrowthValue(g, k, s);
      if (press) {
        p.P[k] = y;
        p.T[k] = a.TofP(rho, y);
      } else {
        p.T[k] = y;
        p.P[k] = a.P(rho, y);
      }
      p.E[k] = a.E(rho, p.T[k]);
    }
  }
  for (int32_t k = L.F; k <= L.Lf; ++k) {
    if (!std::isfinite(p.P[k]) || !std::isfinite(p.T[k]) || !std::isfinite(p.E[k])) {
      failField = "StatEqButton";
      message = "The film equation of state gives no finite state in cell " + std::to_string(k);
      return false;
    }
  }

  // Substrate layer (new state only): one uniform state.
  if (StatEqButtonVisible && L.InGlass != 0) {
    const EosSet* g = GlassEos();
    if (g == nullptr) {
      failField = "EOSlButton";
      message = "The substrate has no equation of state";
      return false;
    }
    const Real r = rho0l.Value();
    Real T = T0l.Value();
    if (!GlassFieldsVisible || T == 0) {
      // The temperature of the film next to the substrate.
      T = (CheckOut && L.growth) ? Tgr.Value() : Ti;
    }
    p.T0l = T;
    p.P0l = g->P(r, T);
    p.Eglass = g->E(r, T);
    if (!std::isfinite(p.P0l) || !std::isfinite(p.Eglass)) {
      failField = "EOSlButton";
      message = "The substrate equation of state gives no finite state at T0l";
      return false;
    }
    const int32_t first = L.InGlass > 0 ? 0 : L.N + L.InGlass;
    const int32_t last = L.InGlass > 0 ? L.InGlass - 1 : L.N - 1;
    for (int32_t k = first; k <= last; ++k) {
      p.P[k] = p.P0l;
      p.T[k] = p.T0l;
      p.E[k] = p.Eglass;
    }
  }
  return true;
}

InitialOkResult TInitional::BuildNewState() {
  Session& s = s_;
  const int32_t N = Dimension;
  const bool existed = s.StateA != nullptr;

  // Solver class: fixed once the instances exist (they are only resized).
  if (!existed) {
    const SolverClass cls = ChosenSolverClass();
    if (!SolverClassOf(cls).Available()) {
      // The control that chose it: the elastic option, else the temperature model.
      return Refused(std::string("The solver class ") + SolverClassName(cls) +
                         " is not available in this build",
                     SolverClassOf(cls).elastic ? "CheckElast" : "InitProfile");
    }
  }
  if (existed && s.StateA->CellCount() == N) {
    if (s.prompter.Ask(kAskContinueCurrent, AnswerSet::YesNo()) == Answer::Yes) {
      // Keep the state; only the final steps run.
      const SimParams& sp = s.sim;
      LaserSetup laser;
      laser.Qext = Qext;
      laser.QSurfX = static_cast<Real>(N - std::abs(sp.InGlass)) * sp.h0;
      laser.cellCount = N;
      laser.widthRatio = (sp.Dspc == 1 && sp.InGlass != 0) ? sp.rho0l / sp.rho0 : 0;
      return FinalSteps(laser, false);
    }
  }

  const Layout L = MakeLayout();
  BuiltProfile prof;
  std::string failField;
  std::string message;
  if (!ComputeProfile(L, prof, failField, message)) return Refused(message, failField);

  // ---- commit ----
  if (!s.EnsureInstances(existed ? s.stateClass : ChosenSolverClass(), N)) {
    return Refused("The solver instances could not be created");
  }
  const bool glass = L.InGlass != 0;
  const int32_t nGlass = std::abs(L.InGlass);
  const int32_t D = DspcUpDown;
  const Real rho0 = L.rho;
  const Real poutV = Pout.Value();

  SimParams& sp = s.sim;
  GridSpec grid;
  grid.N = N;
  grid.L0 = Len.Value() * L.x1;
  grid.h0 = L.h0;
  grid.rho0 = rho0;
  grid.rho0l = glass ? rho0l.Value() : sp.rho0l;
  grid.InGlass = L.InGlass;
  grid.Dspc = D;
  SetGrid(s, grid);
  sp.Pout = poutV;
  sp.PoutRamp = PoutMultCheck;
  sp.Pout0 = poutV;
  sp.PoutRate = PoutMultCheck ? PoutMultEdit.Value() : 0;
  // Substrate thickness: equal-mass cells in planar geometry, the film cell width in
  // curved geometry (there the masses follow the layer densities instead).
  const Real glassThickness = static_cast<Real>(nGlass) * (D == 1 ? L.w : L.h0);
  sp.x0shift = glass ? -glassThickness : 0;
  sp.SimTime = 0;
  s.bounds.NoMove = MoveType == kMoveNone;

  SetupParams& up = s.setup;
  up.QegOn = QegCheck && GlassFieldsVisible && glass && GlassEos() != nullptr;
  up.AdhesionLimit = -std::fabs(PadhEdit.Value());
  up.AdhesionPairLimit = 2 * up.AdhesionLimit;
  PadhEdit.SetValue(up.AdhesionLimit);
  up.FixTeOn = FixTe;
  if (FixTe) up.FixedTe = TeEdit.Value();

  if (glass && GlassUsesFilmEos) {
    // The substrate is of the film's material: its slots serve the substrate cells.
    EosState& e = s.eos;
    e.LeftEos = e.FilmEos;
    e.LeftEosType = e.FilmEosType;
    e.LeftTableFlag = e.FilmTableFlag;
  }

  // Grid: x = 0 at the substrate-film interface in planar geometry.
  RealArray x(static_cast<size_t>(N) + 1);
  if (D == 1) {
    const int32_t f = L.InGlass < 0 ? N - nGlass : nGlass;  // node of the interface
    for (int32_t k = 0; k <= N; ++k) {
      const bool inGlass = L.InGlass > 0 ? k < f : (L.InGlass < 0 && k > f);
      x[k] = static_cast<Real>(k - f) * (inGlass ? L.w : L.h0);
    }
  } else {
    for (int32_t k = 0; k <= N; ++k) x[k] = static_cast<Real>(k) * L.h0;
  }
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    std::copy(x.begin(), x.end(), st->x.begin());
    std::fill(st->v.begin(), st->v.end(), Real{0});
    std::copy(prof.P.begin(), prof.P.end(), st->P.begin());
    st->P[N] = poutV;
    std::copy(prof.T.begin(), prof.T.end(), st->T.begin());
    std::copy(prof.E.begin(), prof.E.end(), st->E.begin());
  }

  if (glass) {
    T0l.SetValue(prof.T0l);
    P0l.SetValue(prof.P0l);
  }
  x0Shift.SetValue(glassThickness / L.x1);
  xRightEdit.SetValue(x[N] / L.x1);

  if (InitProfile != kModel1T && SolverClassOf(s.stateClass).twoTemperature) {
    TwoTemperatureSetup tt;
    tt.model = InitProfile;
    tt.firstFilmCell = L.F;
    tt.lastFilmCell = L.Lf;
    tt.FixTe = FixTe;
    tt.FixedTe = s.setup.FixedTe;
    tt.TeEdit = TeEdit.Value();
    tt.Tini = Tini.Value();
    tt.Tgr = Tgr.Value();
    tt.NoMove = s.bounds.NoMove;
    tt.T0l = prof.T0l;
    FillTwoTemperature(s, tt);
  }

  LaserSetup laser;
  laser.Qext = Qext;
  laser.QSurfX = static_cast<Real>(N - nGlass) * L.h0;
  laser.cellCount = N;
  laser.widthRatio = (D == 1 && glass) ? sp.rho0l / rho0 : 0;
  return FinalSteps(laser, true);
}

InitialOkResult TInitional::BuildAddLayer() {
  Session& s = s_;
  SimParams& sp = s.sim;
  // Where the existing cells go with the layer before them, and how masses are shared in
  // curved geometry, has no settled answer: only the planar layer after the grid is made.
  if (sp.Dspc != 1 || CheckOut) {
    return Refused("Add layer works on planar grids with the layer after the existing cells",
                   sp.Dspc != 1 ? "DspcEdit" : "CheckOut");
  }
  const Layout L = MakeLayout();
  BuiltProfile prof;
  std::string failField;
  std::string message;
  if (!ComputeProfile(L, prof, failField, message)) return Refused(message, failField);

  const int32_t old = L.F;
  const int32_t N = L.N;
  // Resizing keeps the existing entries of every array.
  s.EnsureInstances(s.stateClass, N);
  const Real poutV = Pout.Value();
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    const Real xRight = s.StateA->x[old];
    for (int32_t k = old + 1; k <= N; ++k) {
      st->x[k] = xRight + static_cast<Real>(k - old) * L.w;
      st->v[k] = 0;
    }
    for (int32_t k = old; k < N; ++k) {
      st->P[k] = prof.P[k];
      st->T[k] = prof.T[k];
      st->E[k] = prof.E[k];
    }
    st->P[N] = poutV;
  }
  sp.Pout = poutV;
  Dimension = N;
  RightDiv = old;
  const Real thickness = static_cast<Real>(xShiftDiv) * L.w;
  x0Shift.SetValue(thickness / L.x1);
  xRightEdit.SetValue(s.StateA->x[N] / L.x1);

  if (InitProfile != kModel1T && SolverClassOf(s.stateClass).twoTemperature) {
    TwoTemperatureSetup tt;
    tt.model = InitProfile;
    tt.firstFilmCell = old;
    tt.lastFilmCell = N - 1;
    tt.FixTe = FixTe;
    tt.FixedTe = s.setup.FixedTe;
    tt.TeEdit = TeEdit.Value();
    tt.Tini = Tini.Value();
    tt.Tgr = Tgr.Value();
    tt.NoMove = s.bounds.NoMove;
    FillTwoTemperature(s, tt);
  }

  LaserSetup laser;
  laser.Qext = Qext;
  laser.QSurfX = thickness;
  laser.firstCell = old;
  laser.cellCount = N;
  return FinalSteps(laser, true);
}

InitialOkResult TInitional::FinalSteps(const LaserSetup& laser, bool built) {
  s_.setup.QSurfX = laser.QSurfX;
  // The laser source: off, or its per-cell table built on the initial layout of the grid,
  // not on the nodes of the state (after a load they have moved, and the table must be
  // the one of the run that wrote the profile). An added layer: the table of its cells
  // only, on the nodes just laid out for it; the other cells keep theirs.
  LaserSource& src = s_.laser;
  if (!laser.Qext) {
    SwitchOffSource(src);
  } else if (s_.StateA != nullptr) {
    src.QSurfX = laser.QSurfX;
    const SourceStatus st =
        laser.firstCell > 0
            ? BuildSourceProfile(
                  src, SourceGrid{s_.StateA->x, s_.sim.InGlass, s_.sim.Dspc, laser.firstCell})
            : BuildSourceProfile(src, InitialSourceLayout(s_, s_.StateA->CellCount()));
    if (st != SourceStatus::Ok) {
      return Refused(std::string("The laser source cannot be set up on this grid: ") +
                     SourceStatusText(st));
    }
  }
  hooks_->SetupLaserSource(s_, laser);
  hooks_->RefreshRefractiveTable(s_);
  InitialOkResult r;
  r.stateBuilt = built;
  switch (s_.prompter.Ask(kAskSavePrint, AnswerSet::YesNoCancel())) {
    case Answer::Yes:
      hooks_->PrintSettings(*this);
      r.accepted = true;
      r.keptOpen = false;
      break;
    case Answer::No:
      r.accepted = true;
      r.keptOpen = false;
      break;
    default:
      break;  // Cancel: the state stands, the dialog stays open
  }
  return r;
}

}  // namespace tarvex
