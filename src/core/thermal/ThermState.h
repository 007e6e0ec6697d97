// TThermState: two temperatures on a grid that does not move ("No move"). The laser heats
// the film's electrons; electron conduction, electron-ion exchange, lattice conduction
// and conduction into a substrate redistribute the heat. T holds the ion temperature Ti,
// E the total energy Ee + Ei of film cells; substrate cells have one temperature (Te = Ti,
// Ee = 0, Ei = E).
//
// It is also the base of THydro2T (the moving grid), whose energy step builds the same two
// systems with the work terms added: the assembly and the solve are shared here
// (SolveTwoTemperature), the post-processing differs.
#pragma once

#include <cstdint>
#include <string>

#include "core/hydro/Convergence.h"
#include "core/thermal/HydrTherm.h"

namespace tarvex {

class TThermState : public THydrTherm {
 public:
  TThermState(ThermalState& session, int32_t N);

  SolverClass Class() const override { return SolverClass::ThermState; }
  void Resize(int32_t N) override;
  bool EnergyStep(const THydrStat& Old, const THydrStat& Third, Real dt, Real h0, bool NoTofE,
                  Real& StepResidual, bool Converging, Real Relax) override;
  // Folds Te into the temperature scale and Ee, Ei into the energy scale.
  void UpdateScales(bool Reset) override;
  void ListArrays(std::vector<NamedArray>& out) override {
    THydrTherm::ListArrays(out);
    for (NamedArray a : {NamedArray{"Te", &Te}, NamedArray{"Ei", &Ei}, NamedArray{"Ee", &Ee}}) {
      out.push_back(a);
    }
  }

  // Electron temperature at node j: the mean of the two cells beside it, the end cell's
  // value at the ends [K].
  Real NodeElectronTemperature(int32_t j) const;

  RealArray Te;  // electron temperature [K]
  RealArray Ei;  // ion (lattice) specific energy [kJ/g]
  RealArray Ee;  // electron specific energy [kJ/g]

 protected:
  // The measures of the two subsystems run on copies of the groups' Floor and Num (taken
  // before the post-processing: "Te" of "T", "Ee" and "Ei" of "E", "Pi" and "Pe" of "p"),
  // merged back into the groups whatever the outcome of the pass.
  struct SubsystemGroups {
    ConvergenceGroup Te, Ee, Ei, Pi, Pe;
    explicit SubsystemGroups(const ConvergenceState& cs)
        : Te(Named(cs.T, "Te")),
          Ee(Named(cs.E, "Ee")),
          Ei(Named(cs.E, "Ei")),
          Pi(Named(cs.p, "Pi")),
          Pe(Named(cs.p, "Pe")) {}
    void Merge(ConvergenceState& cs) const;
    static ConvergenceGroup Named(ConvergenceGroup g, const char* name) {
      g.name = name;
      return g;
    }
  };

  // The two systems of one pass: electrons first (the ions eliminated through the
  // exchange), then the ions with the new electron temperatures. Writes the solved,
  // unrelaxed temperatures into Te and T. `PeThird` is the electron pressure of the latest
  // iterate (its work) and `PiOld` the ion pressure of the old state (0 marks a cell
  // released at the start of the step, which stays so for every pass of the step) on a
  // moving grid; both nullptr on a frozen grid.
  void SolveTwoTemperature(const THydrStat& Old, const THydrStat& Third, Pass& p,
                           const Real* PeThird, const Real* PiOld, bool Converging);

  // Per-cell quantities of the pass [kJ/g/K, kJ/g].
  RealArray CviL_;                    // ion heat capacity with its floor
  RealArray CeL_;                     // electron heat capacity (0: the electrons hold no heat)
  RealArray EeL_;                     // electron energy at the latest iterate
  RealArray EiL_;                     // ion energy at the latest iterate
  RealArray GL_;                      // coupling at the latest iterate [kW/g/K]
  RealArray G0_;                      // coupling in the old state
  RealArray rho0_;                    // densities of the old state [g/cm3]
  const THydrStat* oldOf_ = nullptr;  // the old state rho0_ and G0_ belong to
  RealArray RiX_;                     // the ion system's right-hand side beyond Cvi Ti'
  RealArray Denom_;
  RealArray Gs_;   // implicit exchange coefficient
  RealArray pin_;  // electron rows pinned to a value (NaN: solved)
  std::vector<TriRow> rowsI_;
  RealArray Tisol_;
};

// Whether a question is one of the two of the negative-temperature safeguard (the batch
// runner stops a run on them when its run file gives no answer).
bool IsNegativeTemperatureQuestion(const std::string& text);

}  // namespace tarvex
