// THydrTherm: the one-temperature solver class. It derives from THydrStat and replaces
// only the energy step: the work of the pressure on the moving cells, the laser source
// and heat conduction through film and substrate, solved implicitly as one tridiagonal
// system for the whole grid, then E and P from the new temperatures through the
// equations of state, the film's adhesion to the substrate and the release of cells that
// cannot carry tension.
//
// The stages of the heat step (densities and masses, source, work, face conductances,
// coupling rows, solve, tension rules) are protected members: the two-temperature classes
// derived from this one build their two systems from the same stages.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/hydro/HydrStat.h"
#include "core/numerics/Tridiagonal.h"

namespace tarvex {

class ThermalState;
struct TSpallCell;

class THydrTherm : public THydrStat {
 public:
  THydrTherm(ThermalState& session, int32_t N);
  // Destroying an instance empties the tension record and marks the source table for a
  // rebuild: the next energy step starts them afresh.
  ~THydrTherm() override;

  SolverClass Class() const override { return SolverClass::HydrTherm; }
  void Resize(int32_t N) override;
  bool EnergyStep(const THydrStat& Old, const THydrStat& Third, Real dt, Real h0, bool NoTofE,
                  Real& StepResidual, bool Converging, Real Relax) override;

 protected:
  // What one pass knows of the grid before any cell is updated.
  struct Pass {
    int32_t N = 0;
    int32_t f1 = 0, f2 = -1;  // first and last film cell
    int32_t M = -1, F = -1;   // substrate and film cell at the interface (-1: none)
    bool curved = false;
    int32_t rp = 0;  // radial power of the node areas
    Real dt = 0;
    Real half = 0;                  // dt / 2
    bool withSource = false;        // the laser source deposits in this pass
    const Real* rho = nullptr;      // density of each cell from the new geometry [g/cm3]
    const Real* invMass = nullptr;  // 1 / m_i [cm2/g, or per unit solid angle]
    const Real* qCell = nullptr;    // the source over each cell per unit time factor [kW/cm2]
    Real qFactor = 0;               // the source's time factor of this step
  };

  // Stage 1: the tension record (spallation on), the source's time factor on the first
  // pass of a step, densities and inverse cell masses. False when the source cannot be
  // set up on this grid (the pass fails).
  bool BeginPass(Real dt, bool Converging, Real& StepResidual, Pass& p);
  // Laser energy deposited in cell i over the step, per unit mass [kJ/g].
  static Real SourceEnergy(const Pass& p, int32_t i) {
    return p.withSource ? p.dt * p.qCell[i] * p.qFactor * p.invMass[i] : Real(0);
  }
  // Work of the driving pressure (viscosity included) on cell i over the step per unit
  // mass [kJ/g], and the same per unit pressure without the viscous correction of curved
  // grids, dt/2 (W_i + W0_i) [kJ/g/GPa]: the electrons' share of the work is this factor
  // times their pressure.
  Real CellWorkOf(const THydrStat& Old, const THydrStat& Third, const Pass& p, int32_t i) const;
  Real WorkFactor(const THydrStat& Old, const Pass& p, int32_t i) const {
    if (p.curved) return WorkFactorCurved(Old, p, i);
    return p.half * ((Old.v[i + 1] - Old.v[i]) + (v[i + 1] - v[i])) * p.invMass[i];
  }
  Real WorkFactorCurved(const THydrStat& Old, const Pass& p, int32_t i) const;
  // Densities of the cells of `st` [g/cm3] (the old state's, for instance).
  void CellDensities(const THydrStat& st, Real* out) const;

  // Stage 2: dt a_j G_j of the faces j0 <= j < j1 (between cells j-1 and j) into c[j]
  // [kJ/K per unit area]: G_j the series conductance of the two half cells of
  // conductivities k[j-1], k[j] [kW/cm/K]. With qMax > 0 the face flux at the latest
  // iterate (temperatures Tk) is limited to qMax [kW/cm2] (a free-streaming bound of the
  // electron heat flux).
  void FaceCoefficients(const Pass& p, const Real* k, const Real* Tk, Real qMax, Real* c,
                        int32_t j0, int32_t j1) const;
  // The film-substrate face (between cells M and F): dt a G [kJ/K per unit area] with the
  // film's conductivity kFilm in series with the substrate's kSub, and the area factor a
  // of its node.
  Real InterfaceCoefficient(const Pass& p, Real kFilm, Real kSub) const;
  Real InterfaceArea(const Pass& p) const {
    return p.curved ? IntPow(x[std::max(p.M, p.F)], p.rp) : Real(1);
  }
  // Series conductance of two half cells of widths h1/2, h2/2 and conductivities k1, k2
  // [kW/cm2/K]; 0 when either does not conduct.
  static Real SeriesConductance(Real k1, Real h1, Real k2, Real h2) {
    if (!(k1 > 0) || !(k2 > 0)) return 0;
    return 2 * k1 * k2 / (h1 * k2 + h2 * k1);
  }

  // Adds the implicit coupling of the faces j0 <= j < j1 (coefficients c) to the rows: each
  // face takes c_j (T_j - T_{j-1}) from cell j and gives it to cell j-1, per unit mass.
  void CoupleRows(const Pass& p, const Real* c, int32_t j0, int32_t j1, TriRow* rows) const;
  // Stage 3: solves rows 0..N-1 into out. "T' = 0" at an end means a zero gradient at the
  // end face of the end cell, i.e. no flux through it: the same closure as "k = 0", which
  // conserves energy exactly (a mirror cell beyond the face would double the end cell's
  // inner conductance and create heat).
  void SolveRows(const Pass& p, TriRow* rows, Real* out);

  // Stage 4: the film's tension rules for cell i with the pressure p that carries the
  // tension (new state), p0 its value in the old state and pEos0 what the equation of state
  // gives for the old state; `releasedOld` says that the cell was let go in the old state
  // (its pressure released to 0 where its lattice gives tension). `cell` carries what the
  // spallation test needs (its strain rate, tension time and pressure are filled here).
  enum class Fate {
    Count,    // an ordinary cell: its changes are measured
    Release,  // the cell cannot carry tension: its pressure is released to 0
    Failed,   // the cell has just spalled; it carries FailedCellPressure
    Foam,     // a spalled foam cell: it carries the pressure `carried`
  };
  Fate FilmTension(const THydrStat& Old, const Pass& p, int32_t i, Real pNew, Real p0, Real pEos0,
                   bool releasedOld, bool vapourOld, bool vapourNow, TSpallCell& cell,
                   Real& carried);
  // "Release": T_i = max(T_i, min(T'_i, T_{i-1}, T_{i+1})) over the existing neighbours, so
  // that a broken cell does not cool below its surroundings.
  static void ReleaseTemperature(Real* Tn, const Real* Tl, int32_t i, int32_t N);

  // With spallation on: creates the tension record at the first step and advances it to
  // the current time for the film cells f1..f2; `Pt0` is the pressure that carries the
  // tension in the old state (the total pressure of one temperature).
  void AdvanceTension(const THydrStat& Old, const Real* Pt0, Real dt, int32_t f1, int32_t f2);

  ThermalState& ts_;

  // Per-call work arrays, sized with the grid so that a step allocates nothing.
  std::vector<TriRow> rows_;  // the system, one row per cell
  TriWork tri_;
  RealArray rho_;      // density of each cell from the new geometry [g/cm3]
  RealArray invMass_;  // 1 / m_i
  RealArray kappa_;    // lattice or substrate conductivity at the latest iterate [kW/cm/K]
  RealArray kappaE_;   // electron conductivity of the film cells at the latest iterate
  RealArray cFace_;    // dt a_j G_j of the faces (N + 1 entries)
  RealArray cFaceE_;   // the electrons' share of it
  RealArray Tsol_;     // the solved temperatures before relaxation [K]
  RealArray cv_;       // heat capacity of each cell at the latest iterate [kJ/g/K]
  RealArray eLatest_;  // energy of each cell at the latest iterate [kJ/g]
};

}  // namespace tarvex
