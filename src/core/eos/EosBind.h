// Binding an accepted equation-of-state model to a medium's slots, the same way for every
// model of the catalog, and composing the film's totals with the electron part.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/common/Real.h"
#include "core/eos/EosCatalog.h"
#include "core/eos/EosSlots.h"

namespace tarvex {

enum class EosMedium : uint8_t { Film, Left };

struct EosBindOptions {
  int32_t preset = -1;   // the preset chosen with the model (e.g. the metal), -1 none
  bool NoElEOS = false;  // film: the model holds no electron part
  const ElectronModel* electron = nullptr;  // the electron model, nullptr while none
  // A tabulated model: the set chosen with the table dialog and the description file it
  // was read from (kept in the medium's record, so that the settings can name it).
  std::shared_ptr<const TEosTableSet> table;
  std::string tableFile;
};

// Binds `model` with parameter values in the order of its parameters to a medium:
//   1. refuses a model that is not available or, for the left medium, has no left
//      variant, a wrong number of values, and any value outside its range (the field
//      is named, "<name> must be <requirement>");
//   2. the model prepares its parameter block (it may refuse a combination, naming the
//      field);
//   3. only then the medium changes: its record takes the model, the values, the preset
//      and the block; its slots are emptied (Kappa kept) and filled by the model; for the
//      film EosScale, FilmEosType, FilmMaterialIndex and the table flag follow the model
//      and ActiveEos is composed (ComposeActiveEos); for the left medium LeftEosType and
//      its table flag. A refusal changes nothing.
EosBindResult BindEos(EosState& eos, EosMedium medium, const EosModelInfo& model,
                      std::span<const Real> values, const EosBindOptions& options = {});

// The film totals, inverses and ion parts of ActiveEos from FilmEos and the electron
// part (the phase functions are the model's and stay):
//   - no electron model (or one without an energy): the totals, inverses and ion parts
//     are the film's functions;
//   - NoElEOS off (the model's functions include the electrons): totals and inverses are
//     the film's, the ion parts subtract the electrons (Eion = E - Ee, Pion = P - Pe,
//     Cvion = Cv - Ce);
//   - NoElEOS on: totals add the electrons (E + Ee, P + Pe, Cv + Ce), the ion parts are
//     the film's, the total dP/dT is dPdT + dPe/dTe (2/3 rho Ce where the electron model
//     gives none), and T from the total E or P is the Newton inversion of the total with
//     its derivative, started from the film's own inverse (where the film has the inverse
//     and, for P, dP/dT).
// Called by BindEos for the film, and again whenever the electron model changes.
void ComposeActiveEos(EosState& eos, const ElectronModel* electron);

// The dialog's InfoLabel for `model` with these values: the model's label function, given
// the trimmed field texts (`texts` parallel to `values`; empty: the values formatted).
std::string EosInfoLabel(const EosModelInfo& model, std::span<const Real> values,
                         std::span<const std::string> texts, int32_t preset, bool left,
                         std::shared_ptr<const TEosTableSet> table = {});

}  // namespace tarvex
