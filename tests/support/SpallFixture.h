// Helpers of the spallation tests and benchmark: a material's energy, sound speed and
// liquid test as slots, and model states built through the spallation dialog.
#pragma once

#include <string>

#include "core/common/Prompter.h"
#include "core/common/Slot.h"
#include "core/spall/SpallCheck.h"
#include "core/spall/Spallation.h"

namespace tarvex::testing {

// A stand-in for a metal's equation of state near melting: E = E0 + cv·T [kJ/g], a
// constant sound speed [km/s], liquid from Tm up.
struct TestMetal {
  Real E0 = 0.05L;    // [kJ/g]
  Real cv = 1.5e-4L;  // [kJ/g/K]
  Real c = 4;         // [km/s]
  Real Tm = 933;      // [K]
};

inline Real TestMetalEnergy(const TestMetal& m, Real, Real T) {
  return m.E0 + m.cv * T;
}
inline Real TestMetalSoundSpeed(const TestMetal& m, Real, Real) {
  return m.c;
}
inline bool TestMetalMelted(const TestMetal& m, Real, Real T) {
  return T >= m.Tm;
}

inline TSpallMaterialEnv EnvOf(const TestMetal& m, Real v1 = 1e5L) {
  return {MakeSlot<TestMetal, TestMetalEnergy>(m), v1};
}

inline TSpallEos EosOf(const TestMetal& m) {
  return {MakePredSlot<TestMetal, TestMetalMelted>(m), MakeSlot<TestMetal, TestMetalSoundSpeed>(m)};
}

// The dialog's OK with the settings question answered No.
inline TSpallOkResult Accept(TSpallation& d, const TestMetal& m, TSpallParams& sp, Real v1 = 1e5L) {
  ScriptedPrompter prompter;
  prompter.Script(TSpallation::kSaveQuestion, Answer::No);
  return d.Ok(prompter, EnvOf(m, v1), sp);
}

// Types `text` into a numeric field and leaves it.
inline TSpallResult Type(TSpallation& d, const TestMetal& m, const char* field,
                         const std::string& text) {
  RealField* f = d.FieldByName(field);
  if (f == nullptr) return TSpallResult::Refused(field, "no such field");
  f->SetText(text);
  return d.LeaveField(field, EnvOf(m));
}

}  // namespace tarvex::testing
