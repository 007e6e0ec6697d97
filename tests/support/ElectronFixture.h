// A thermal-parameter dialog with everything its OK writes: the electron state, the film's
// EOS set (for the ion conductivity), the run switches and a scripted prompter.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "core/common/Prompter.h"
#include "core/electron/ElectronState.h"
#include "core/electron/ThermParamDialog.h"
#include "core/eos/EosSlots.h"

namespace tarvex::testing {

struct ElectronFixture {
  ElectronState electron;
  EosSet FilmEos;
  ElectronSwitches switches;
  ScriptedPrompter prompter;
  TThermParamDialog dialog;
  ElTargets targets{electron, FilmEos, switches, prompter};

  // Sets a field of a page as typed and left by the user.
  void Type(TElPageForm& page, std::string_view name, Real value) {
    RealField* f = page.FieldByName(name);
    char text[48];
    std::snprintf(text, sizeof text, "%.21LG", value);
    f->SetText(text);
    page.FieldChanged(name);
    page.LeaveField(name);
  }
};

}  // namespace tarvex::testing
