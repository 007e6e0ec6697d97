// The catalog of electron models: one entry per page of the thermal-parameter dialog, in
// the dialog's order, and one entry per frame class.
//
// A page names its caption, the frame class that implements it (or none for the dialog's
// own pages "Constant" and "Simple metall"), the materials it presets, its presets (as the
// steps a choice in the material list performs, and what it sets in other dialogs), and
// the slots its OK fills. A frame names its parent and the numeric fields it adds (name =
// dialog field name = run-file key, symbol, unit, default, valid range, role, help); a
// frame may declare a parent's field again to give it another default, role or meaning.
// The dialog's form models, the run files, the documentation and the model tests read
// this one table: the dialog creates each page through the entry's `create`, so a new
// model is its module (parameter block, functions, frame class) and its entry here.
// Pages whose models are not built yet are listed without `create`.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Real.h"

namespace tarvex {

class TElPageForm;
class TNumStringFormat;
struct ElPageInfo;

// Creates the form model of a page (its fields share `format` when given).
using ElPageFactory = std::unique_ptr<TElPageForm> (*)(const ElPageInfo& page,
                                                       std::shared_ptr<TNumStringFormat> format);

enum class ElFieldRole : uint8_t {
  Input,    // read at OK (validated against the range)
  Display,  // computed by the form, read-only
  Unused,   // shown on the page, no effect on any computation
};

struct ElParamInfo {
  const char* name;    // the dialog field's name, also the run-file key
  const char* symbol;  // the quantity in the model's formulas
  const char* unit;    // "" when dimensionless
  Real defaultValue;   // the field's value when the dialog is created
  Real lower;          // valid range (Input fields); +-infinity when open-ended
  Real upper;
  bool lowerOpen;  // lower bound excluded
  bool upperOpen;  // upper bound excluded
  ElFieldRole role;
  const char* help;  // one line for the documentation and tooltips
};

struct ElCheckInfo {
  const char* name;     // the check box's name, also the run-file key
  const char* caption;  // as the page shows it
  bool initial;
  const char* help;
};

// A button of a page beyond the dialog's own ("&Load Spline In file"); a run file presses
// it through the key of the same name.
struct ElButtonInfo {
  const char* name;     // the control's name, also the run-file key
  const char* caption;  // as the page shows it
  const char* help;
};

struct ElFrameInfo {
  const char* frameClass;               // e.g. "TMetParFrame"
  const char* parentClass;              // nullptr for a root
  std::span<const ElParamInfo> params;  // fields this class adds or redeclares
  std::span<const ElCheckInfo> checks;
  std::span<const ElButtonInfo> buttons;
};

// One step of a preset, in order.
enum class ElPresetOp : uint8_t {
  Set,        // the field takes the value (as if typed, without the edited mark)
  SetEdited,  // the field takes the value and counts as edited by the user
  Leave,      // the leave-field logic of the field runs (value unused)
  Check,      // the check box `field` is set (value 1) or cleared (value 0), as if clicked
};

struct ElPresetStep {
  ElPresetOp op;
  const char* field;
  Real value;
};

// A value a preset sets in another dialog ("Elastic": G; "Spall": eta, Tc, Tm, sigma_m;
// "Initial": NonMetal 0/1).
struct ElSideValue {
  const char* dialog;
  const char* field;
  Real value;
};

struct ElPresetInfo {
  const char* material;   // as the material list shows it
  int32_t materialIndex;  // its index in Materials (ElMaterialIndex)
  std::span<const ElPresetStep> steps;
  std::span<const ElSideValue> side;
};

// The slots a page's OK fills.
enum ElSlotBit : uint16_t {
  kFillsElEnergy = 1 << 0,
  kFillsElHeatCap = 1 << 1,
  kFillsElPressure = 1 << 2,
  kFillsElPressureDT = 1 << 3,
  kFillsElTofE = 1 << 4,
  kFillsCoupling = 1 << 5,
  kFillsElConductivity = 1 << 6,
  kFillsFilmKappa = 1 << 7,      // FilmEos.Kappa, the ion conductivity
  kFillsHeatFluxLimit = 1 << 8,  // HeatFluxLimit of the electron conduction
};

struct ElPageInfo {
  int32_t index;                        // position in the dialog
  const char* id;                       // stable identifier for run files
  const char* caption;                  // as the dialog's page tab shows it
  const char* frameClass;               // the frame class, or nullptr for the dialog's own pages
  ElPageFactory create;                 // the page's form model; nullptr: not built yet
  std::span<const ElParamInfo> params;  // own fields of a page that is no frame
  std::span<const ElCheckInfo> checks;  // own check boxes of a page that is no frame
  std::span<const int32_t> materials;   // entries of Materials the page presets
  std::span<const ElPresetInfo> presets;
  uint16_t fills;    // ElSlotBit
  const char* note;  // one line for the documentation

  // Implemented in this build.
  bool Available() const { return create != nullptr; }
};

// All 14 pages in the dialog's order.
std::span<const ElPageInfo> ElectronPages();
// Every frame class (roots first).
std::span<const ElFrameInfo> ElectronFrames();

// By stable id or caption; nullptr when there is none.
const ElPageInfo* FindElectronPage(std::string_view idOrCaption);
const ElFrameInfo* FindElectronFrame(std::string_view frameClass);

// The fields of a page in the order the form holds them: the root frame's first, each
// redeclaration in its parent's place. Check boxes likewise.
std::vector<ElParamInfo> PageParams(const ElPageInfo& page);
std::vector<ElCheckInfo> PageChecks(const ElPageInfo& page);
std::vector<ElButtonInfo> PageButtons(const ElPageInfo& page);

// The preset of a page for a material, or nullptr.
const ElPresetInfo* FindPreset(const ElPageInfo& page, std::string_view material);

// True when `value` is finite and inside the field's valid range.
bool ElParamValid(const ElParamInfo& param, Real value);
// The valid range in words, e.g. "a finite number greater than 0".
std::string ElParamRequirement(const ElParamInfo& param);

}  // namespace tarvex
