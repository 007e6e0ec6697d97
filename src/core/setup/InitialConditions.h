// TInitional: the form model of the initial-conditions dialog ("Initional").
//
// The dialog turns a few numbers into the complete initial state of a run: it chooses and
// creates the solver instances, lays out the Lagrangian grid of a film with an optional
// substrate ("glass") layer on one side, fills every cell with pressure, temperature and
// energy from a profile shape through the equations of state, and sets the derived
// constants (cell width, cell mass, geometry, outer pressure, adhesion limit). The form
// holds every field under its own name with its default, the visibility and enabled flags
// the rules change, the leave-field and click handlers, the Enter-key walk and the OK
// action. It never shows a message: a rejected OK names the field to focus.
//
// Units: lengths in the fields are user units (cm per user unit = x1Edit); internal
// lengths in cm. Pressures GPa, temperatures K, densities g/cm3 with a physical equation
// of state; everything dimensionless with the dimensionless models.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/common/Real.h"
#include "core/common/RealField.h"
#include "core/hydro/HydroState.h"
#include "core/hydro/SolverClass.h"
#include "core/setup/GrowthShapes.h"

namespace tarvex {

class Session;
class TInitional;
struct EosSet;

// ---- item indices of the dialog's choice lists (-1: nothing selected) ------------------
// RadioGroup1: which quantity the profile prescribes.
inline constexpr int32_t kProfilePress = 0;
inline constexpr int32_t kProfileTemp = 1;
// MoveType: left-boundary motion.
inline constexpr int32_t kMoveFree = 0;         // "P0 = Pout"
inline constexpr int32_t kMoveNonNegative = 1;  // "x >= 0"
inline constexpr int32_t kMoveV0Zero = 2;       // "v0 = 0"
inline constexpr int32_t kMoveNone = 3;         // "No move"
// Bound0 / BoundQ: thermal condition at an end (same numbers as BoundClosure).
inline constexpr int32_t kBoundFixedT = 0;  // "T0 ="
inline constexpr int32_t kBoundMirror = 1;  // "T' = 0"
inline constexpr int32_t kBoundNoFlux = 2;  // "k = 0"
// InitProfile: the temperature model.
inline constexpr int32_t kModel1T = 0;         // "1T"
inline constexpr int32_t kModelTiTeT0 = 1;     // "Ti, Te = T0"
inline constexpr int32_t kModelTeTiT0 = 2;     // "Te, Ti = T0"
inline constexpr int32_t kModelEq = 3;         // "Eq: Te = Ti"
inline constexpr int32_t kModelTiTeTlast = 4;  // "Ti, Te = Tlast"
inline constexpr int32_t kModelTeTiTlast = 5;  // "Te, Ti = Tlast"

inline constexpr std::array<const char*, 2> kRadioGroup1Items{"Press", "Temp"};
inline constexpr std::array<const char*, 4> kMoveTypeItems{"P0 = Pout", "x >= 0", "v0 = 0",
                                                           "No move"};
inline constexpr std::array<const char*, 3> kBoundItems{"T0 =", "T' = 0", "k = 0"};
inline constexpr std::array<const char*, 6> kInitProfileItems{
    "1T", "Ti, Te = T0", "Te, Ti = T0", "Eq: Te = Ti", "Ti, Te = Tlast", "Te, Ti = Tlast"};

// The questions the dialog asks (Prompter texts).
inline constexpr const char* kAskContinueCurrent = "Continue current?";
inline constexpr const char* kAskSavePrint = "Save(print) settings?";
inline constexpr const char* kAskEiExchange = "With e-i heat exchange (alpha)?";
inline constexpr const char* kAskGlassUsesFilmEos = "Use I EOS for glass?";
inline constexpr const char* kAskGlassDensity = "Set init (EOS) glass denity to ";

// What the electron-parameter and EOS dialogs report for the electron check of OK.
struct ElectronModelInfo {
  bool ElConductivity = false;  // the electron model has a conductivity function
  bool ElEnergy = false;        // the electron model has an energy function
  bool NoElEOS = false;         // "no electron EOS" checked in the electron dialog
  bool CheckKappa = false;      // the EOS dialog's CheckKappa
};

// Laser-source set-up requested by the final steps of OK.
struct LaserSetup {
  bool Qext = false;      // source on; off: the time and space shapes become zero
  Real QSurfX = 0;        // film thickness for the space shape [cm]
  int32_t firstCell = 0;  // the per-cell table is (re)built from this cell on
  int32_t cellCount = 0;  // cells of the grid
  Real widthRatio = 0;    // rho0l / rho0 for a planar substrate (equal-mass cells), else 0
};

// Two-temperature state of the film cells; passed to the hook when the instances are of a
// two-temperature class.
struct TwoTemperatureSetup {
  int32_t model = kModel1T;  // InitProfile item
  int32_t firstFilmCell = 0;
  int32_t lastFilmCell = -1;
  bool FixTe = false;
  Real FixedTe = 0;  // [K]
  Real TeEdit = 0;   // [K]
  Real Tini = 0;     // [K]
  Real Tgr = 0;      // [K]
  bool NoMove = false;
  Real T0l = 0;  // substrate temperature [K] (its electrons start there)
};

// The electron state of a two-temperature target: Te, Ee, Ei (and Pe, Pi on a moving grid)
// of the film cells tt.firstFilmCell..tt.lastFilmCell after the temperature model, the
// substrate cells at one temperature. Instances without these arrays are left alone.
void FillTwoTemperature(Session& s, const TwoTemperatureSetup& tt);

// The parts of OK that belong to other subsystems. Every default does nothing.
class TInitialHooks {
 public:
  virtual ~TInitialHooks() = default;
  virtual void SetupLaserSource(Session& /*s*/, const LaserSetup& /*setup*/) {}
  virtual void RefreshRefractiveTable(Session& /*s*/) {}
  virtual void PrintSettings(const TInitional& /*dialog*/) {}
};

// Outcome of OK.
struct InitialOkResult {
  bool accepted = false;    // the dialog closes with OK
  bool keptOpen = true;     // the dialog stays open
  bool stateBuilt = false;  // this press built or changed the state
  std::string focus;        // field to focus after a failed check ("" otherwise)
  std::string message;      // why the state was refused when no field is to blame
};

// Field kinds for generic access by name.
enum class InitFieldKind : uint8_t { Number, UpDown, Choice, Check };

struct InitFieldKey {
  std::string_view name;
  InitFieldKind kind;
  int32_t lo;  // valid range of up-downs and choices (choices: -1 .. items - 1)
  int32_t hi;
};

enum class FieldSetStatus : uint8_t {
  Ok,
  UnknownKey,
  WrongKind,   // the key exists but is of another kind
  OutOfRange,  // outside the up-down range or the item list
  Refused,     // the control is disabled or hidden
};

class TInitional {
 public:
  // The fields share `format` (the session's number format) when given, else one format
  // of their own.
  explicit TInitional(Session& s, std::shared_ptr<TNumStringFormat> format = nullptr);
  TInitional(const TInitional&) = delete;
  TInitional& operator=(const TInitional&) = delete;

  // ---- numeric fields (user units for lengths) ----------------------------------------
  RealField Len;           // "Init &Length ": length of the grid
  RealField x1Edit;        // length unit [cm per user unit]
  RealField Rho0;          // "Init &rho": film density
  RealField Pini;          // "&Init" pressure of the initial region
  RealField Tini;          // "&Init" temperature of the initial region
  RealField xf;            // "to &x": end of the initial region
  RealField Pgr;           // "&grouth to" pressure
  RealField Tgr;           // "&grouth to" temperature
  RealField Dist;          // "&d ": growth length, signed
  RealField Pout;          // "P_out": outer pressure
  RealField PoutMultEdit;  // "+t*": growth rate of the outer pressure
  RealField T0;            // "0 Bound" temperature
  RealField Tq;            // "End Bound" temperature
  RealField TeEdit;        // "Te =": electron temperature
  RealField rho0l;         // "Init &rho" of the substrate
  RealField T0l;           // "T0l = ": substrate temperature
  RealField P0l;           // "P0l = ": substrate pressure (derived)
  RealField PadhEdit;      // "Pad&h = ": adhesion strength
  RealField VL;            // velocity coefficient of the right end with "(P_Pout)"
  RealField x0Shift;       // substrate (or added layer) thickness
  RealField xRightEdit;    // right end of the existing grid (shown)

  // ---- up-downs -------------------------------------------------------------------------
  int32_t Dimension = 100;  // "Di&v": total cells, film and substrate, 1 .. 10000
  int32_t xShiftDiv = 0;    // "x&0shift = ": substrate cells, 0 .. 10000
  int32_t DspcUpDown = 1;   // "D sp&c": 1 planar, 2 cylindrical, 3 spherical

  // ---- choices ----------------------------------------------------------------------------
  int32_t RadioGroup1 = -1;  // Press / Temp
  int32_t GrouthFunc = -1;   // growth shape
  int32_t MoveType = -1;     // left-boundary motion
  int32_t Bound0 = kBoundNoFlux;
  int32_t BoundQ = kBoundNoFlux;
  int32_t InitProfile = -1;  // temperature model

  // ---- check boxes --------------------------------------------------------------------------
  bool PoutMultCheck = false;
  bool FixTe = false;
  bool CheckOut = false;  // "o&ut": substrate after the film
  bool QegCheck = false;
  bool CheckElast = false;
  bool Qext = false;
  bool V00 = false;
  bool x00 = false;
  bool CheckKeepVL = false;
  bool V_PPoutCheck = false;

  // ---- visibility and enabled flags ----------------------------------------------------
  bool StatEqButtonVisible = true;  // hidden: OK adds a layer instead of building a state
  bool Bound0Enabled = true;
  bool InitProfileEnabled = true;
  bool GlassFieldsVisible = false;  // rho0l, T0l, P0l, EOSl, Padh, Qe->g
  bool CheckElastVisible = true;
  std::array<std::string, 2> RadioGroup1Captions{"Press", "Temp"};

  // ---- what other dialogs tell this one ---------------------------------------------------
  int32_t RightDiv = 0;                 // cells of the existing grid (Add-layer mode)
  std::optional<Real> GlassEosDensity;  // own density of the substrate EOS, when it has one
  bool GlassUsesFilmEos = false;        // answer to "Use I EOS for glass?"
  bool GlassDensityFromEos = false;     // rho0l took the substrate model's density on a Yes
  ElectronModelInfo electron;

  // ---- generic access for the batch runner ----------------------------------------------
  static std::span<const InitFieldKey> SettableKeys();
  // The item captions of a choice key (empty for other keys).
  static std::span<const char* const> ChoiceItems(std::string_view name);
  RealField* RealFieldByName(std::string_view name);
  // Up-downs and choices. Changes go through the same rules as in the dialog: the
  // geometry rule for DspcUpDown, the temperature-model rule for InitProfile, the
  // substrate visibility for xShiftDiv. Disabled lists refuse.
  FieldSetStatus SetInt(std::string_view name, int32_t value);
  // Check boxes; FixTe runs its click handler when it changes (it may ask a question);
  // CheckElast is refused while the non-metal flag is set.
  FieldSetStatus SetCheck(std::string_view name, bool on);
  std::optional<int32_t> IntByName(std::string_view name) const;
  std::optional<bool> CheckByName(std::string_view name) const;

  void SetHooks(TInitialHooks& hooks) { hooks_ = &hooks; }

  // Prepares the mode: full (new state) or Add layer (StatEqButton hidden), the
  // substrate fields and, for Add layer, RightDiv and xRightEdit from StateA.
  void FormShow(bool addLayerMode);

  // ---- handlers ---------------------------------------------------------------------------
  // Leaving a field: Pini, Tini, T0, Tq, TeEdit, Pgr, Tgr, xf, rho0l, T0l keep their pairs
  // consistent through the film (or substrate) EOS; other names do nothing. A handler
  // whose EOS slot is empty changes nothing.
  void LeaveField(std::string_view name);
  void ChooseInitProfile(int32_t item);
  void ClickFixTe(bool on);
  void ChangeDspc(int32_t position);
  void ChangeGlassCells(int32_t count);
  // A click on "Elast": false when the non-metal flag unchecks and hides the box, true
  // when the view should now show the elastic-parameter dialog and then report its close.
  bool ClickCheckElast();
  // The elastic-parameter dialog closed: with OK (G given) the box ends checked exactly
  // when the shear modulus is non-zero; Cancel (nullopt) leaves it.
  void ElasticDialogClosed(std::optional<Real> G);

  // Enter in an input field: runs the field's leave handler, copies the obvious defaults
  // and returns the next field that needs a value ("OkBtn" at the end of the walk or for
  // a control outside it). Never builds the state; the view sends a press of the OK
  // button itself to OkPressed.
  std::string EnterPressed(std::string_view focused);

  // The OK button (and "&Add layer"): the checks in order, then the state.
  InitialOkResult OkPressed();

  // ---- after-load mode ------------------------------------------------------------------
  // After a profile was loaded the dialog adjusts the loaded state instead of building
  // one: OkPressed then runs AfterLoadOk.
  bool AfterLoadMode = false;
  // Opens the after-load mode for the loaded state (glass fields, geometry).
  void BeginAfterLoad();
  // OK in the after-load mode: the cell count, the density question, the curved-grid
  // masses, then the final steps. Ends the mode when the dialog closes.
  InitialOkResult AfterLoadOk();

  // The factor of the geometry DspcUpDown shows (SetGrid stores it with OK): 1 planar,
  // 2 pi cylindrical, 4 pi spherical.
  Real EnergyFactor() const { return EnergyFactorOf(DspcUpDown); }

  // The class the instances would be created with now (see the .cpp for the 1T rule).
  SolverClass ChosenSolverClass() const;

  // Whether the current values leave film cells beyond the initial region.
  bool GrowthNeeded();

 private:
  struct Layout;
  struct BuiltProfile;

  Session& s_;
  TInitialHooks defaultHooks_;
  TInitialHooks* hooks_ = &defaultHooks_;

  // Handlers of single fields.
  void LeavePini();
  void LeaveTemperature(bool fromTini);
  void LeaveGrowth(bool pressure);
  void LeaveXf();
  void LeaveRho0l();
  void LeaveT0l();
  void ResetRadioCaptions();
  // Pini from the temperatures: Pi(Tini) + Pe(TeEdit) with FixTe, else P(Tini).
  void PiniFromTemperatures();

  std::string Validate();
  const EosSet* GlassEos() const;
  bool FilmEosReady() const;
  // Some medium conducts heat: a conductivity in the film or substrate EOS or in the
  // electron model.
  bool AnyConductivity() const;
  Layout MakeLayout();
  bool ComputeProfile(const Layout& L, BuiltProfile& p, std::string& failField,
                      std::string& message);
  InitialOkResult BuildNewState();
  InitialOkResult BuildAddLayer();
  InitialOkResult FinalSteps(const LaserSetup& laser, bool built);
};

}  // namespace tarvex
