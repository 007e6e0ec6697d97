// The "Artifical Viscosity" dialog as a form model: the viscosity kind (radio group
// ViscType) and the scale value of the quadratic coefficient (ViscMult), with the rules
// of opening, OK and Cancel. The Qt view mirrors these fields to its widgets.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/Real.h"
#include "core/common/RealField.h"
#include "core/hydro/Viscosity.h"

namespace tarvex {

class THydrStat;

// The numeric field of this dialog: the text the edit shows and the number it stands
// for. The dialog touches it only through SetValue (show a number) and Read (the number
// of the current text), the two operations the forms' shared numeric field offers.

// Outcome of OK: when refused, `focus` names the field that takes the focus and the
// dialog stays open with nothing changed.
struct ViscosityDialogResult {
  bool accepted = false;
  std::string_view focus;
  int32_t VisTag = 0;  // the Vis button's new tag (= ViscKind) when accepted
};

class TViscosityDialogModel {
 public:
  static constexpr std::string_view Caption = "Artifical Viscosity";
  static constexpr std::array<std::string_view, 4> ViscTypeItems = {"&No", "&Symm", "&Loc",
                                                                    "Lim&Only"};
  static constexpr int32_t ViscTypeColumns = 4;
  static constexpr std::string_view ViscMultLabel = "Scla&Value ";
  static constexpr std::string_view ViscMultDefault = "0";

  int32_t ViscType = ViscNo;  // selected item of ViscType, a viscosity kind 0..3
  RealField ViscMult;         // shows Cq * EosScale^2; "0" at start

  // Fills the fields from the state: a non-zero coefficient shows Cq = ViscCoef *
  // EosScale^2 with at least "Symm" selected; no coefficient shows 1 and proposes "Loc"
  // when the kind is "No".
  void Open(const ViscosityState& vs, Real EosScale);

  // Applies the fields: ViscCoef := ViscMult / EosScale^2; a zero coefficient switches
  // the viscosity off; switching a kind on from "No" re-initialises ViscRef from the
  // velocity field of StateA (nullptr when the session has none). Refused, with the
  // focus on ViscMult, while no equation of state has set EosScale, or when the text is
  // not a number or negative (a negative coefficient would amplify shocks).
  ViscosityDialogResult Ok(ViscosityState& vs, Real EosScale, const THydrStat* StateA);

  // Cancel leaves the state as it was.
  void Cancel() {}
};

}  // namespace tarvex
