// "Ideal gas of:" (model 8): the vapour of a metal as an ideal gas in physical units.
// With the specific gas constant Rm = R / M [kJ/g/K] of a gas of atomic mass M [g/mol],
// R = 0.008318377240488 kJ/mol/K as the program has it:
//   E = Rm T / (gamma - 1)  [kJ/g],   P = rho Rm T  [GPa, with rho in g/cm3],
//   Cv = Rm / (gamma - 1),            dP/dT = rho Rm,
// and the closed-form inverses T = E (gamma - 1) / Rm, T = P / (rho Rm). These are the
// functions of the ideal gas (model 0) with the mass M / R in place of its atom mass, so
// the model binds those. The metals of the dialog preset M: Al 26.98, Cu 63.54, Au 197.2.
// No phase functions.
#pragma once

#include <string>

#include "core/common/Real.h"
#include "core/eos/EosModel.h"
#include "core/eos/IdealGas.h"

namespace tarvex {

inline constexpr Real kIdealGasOfR = 0.008318377240488L;  // [kJ/mol/K]

struct IdealGasOfModel {
  // The ideal gas's block, with the atom mass M / R [g K/kJ].
  using Params = IdealGasParams;
  // A zero or negative atomic mass would give a negative heat capacity and pressure: the
  // mass must be positive.
  static constexpr EosParamInfo kParams[] = {
      EosParamAbove("gamma", "", 5.0L / 3, 1, false, "adiabatic exponent"),
      EosParamAbove("AtomMass", "g/mol", 0, 0, true, "atomic mass M (P = rho R T / M)"),
  };
  static constexpr EosPresetValue kAl[] = {{"AtomMass", 26.98L}};
  static constexpr EosPresetValue kCu[] = {{"AtomMass", 63.54L}};
  static constexpr EosPresetValue kAu[] = {{"AtomMass", 197.2L}};
  static constexpr EosPreset kPresets[] = {{"Al", kAl}, {"Cu", kCu}, {"Au", kAu}};
  // A monatomic vapour.
  static constexpr EosPresetValue kOnSelect[] = {{"gamma", 5.0L / 3}};
  static constexpr EosPresetValue kTestValues[] = {{"AtomMass", 26.98L}};
  static constexpr EosTestDomain kTest{1e-4L, 20, 10, 1e5L, 1e-15L, 1e-9L, kTestValues};

  // The constants must come out finite and positive (refused naming the atom mass).
  static EosBindResult Prepare(const EosValues& v, Params& p);
  static void Fill(const Params& p, EosFillTarget& t) { IdealGasModel::Fill(p, t); }
  // "Ideal gas of Al", "Ideal gas of Cu", "Idela gas of Au" by the metal chosen, else
  // "Ideal gas of AtMass = " + the text of the atom mass.
  static std::string Label(const EosLabelInput& in);
};

}  // namespace tarvex
