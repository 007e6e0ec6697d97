// The catalog of solver classes: one entry per class of the family rooted at THydrStat,
// with everything generic code needs to know of it: its name and parent, how an instance
// is created (nothing while the class is not part of this build), the arrays it adds
// with their column titles and units, what kind of model it is, and its columns in the
// results table. The session creates instances through it, the initial conditions and
// the profile reader choose a class with it, the results table, the profile writer and
// reader and the after-load mode read it; a class's arrays are reached by name
// (THydrStat::ArrayByName).
//
// Adding a class: the class (a THydrStat descendant that lists its arrays in
// ListArrays), and its entry here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/common/Prompter.h"
#include "core/hydro/SolverClass.h"

namespace tarvex {

class Session;
class THydrStat;

// ---- the columns of the results table -----------------------------------------------------

// What a column holds.
enum class TColumnKind : uint8_t {
  No,       // node number nFrom + n
  X,        // node coordinate / x1Edit
  Rho,      // cell density
  V,        // node velocity / EosScale
  P,        // cell pressure ("-0      " for a broken cell without pressure)
  E,        // specific energy
  T,        // temperature (Ti in the two-temperature classes)
  Array,    // an array of the class, by name (TColumnDesc::array): Te, Ei, Ee, Z, Sxx ...
  Pi,       // lattice pressure of the fixed-Te variant ("-0      " for broken cells)
  Pe,       // the rest of the pressure in the fixed-Te variant
  DeltaZ,   // change of the ionisation (non-metal class)
  P1T,      // one-temperature pressure at (rho, Ti)
  PeRhoTi,  // electron pressure at (rho, Ti)
  Phase,    // phase text of the cell
  Ind,      // phase code of the cell
  Qx,       // heat flux at the node
  Kappa,    // conductivity
  Alpha,    // electron-ion coupling ("00      " where there is none)
  Depth,    // depth of the cell centre below the initial surface / x1Edit
};

struct TColumnDesc {
  TColumnKind kind;
  const char* unitTitle;   // title of the unit-labelled set (nm variant for x and depth)
  const char* plainTitle;  // title of the plain set
  const char* array = "";  // Array: the array's name
};

// ---- the classes ---------------------------------------------------------------------------

// An array a class adds to its parent's: the member's name, whether it is a node array
// (N + 1 entries) or a cell array (N), its column titles and unit.
struct SolverArrayInfo {
  const char* name;
  bool node;
  const char* unitTitle;
  const char* plainTitle;
  const char* unit;
};

struct SolverClassInfo {
  SolverClass cls;
  const char* name;    // "THydrStat"
  SolverClass parent;  // None for the root
  // A new instance with N cells; nullptr while this build has no such class. A class that
  // needs more of the session than HydroState takes the level of state it needs from it.
  std::unique_ptr<THydrStat> (*create)(Session& s, int32_t N);
  std::span<const SolverArrayInfo> arrays;  // beyond the parent's
  bool thermal;                             // heat conduction (THydrTherm and below)
  bool twoTemperature;                      // T holds Ti, electrons have a state of their own
  bool elastic;                             // elastic-plastic stress
  bool nonMetal;                            // ionisation
  bool frozenGrid;                          // the grid never moves (TThermState)
  // The results table's columns: moving grid, its fixed-Te variant (empty: as moving),
  // frozen grid. Empty: the class shows no columns yet.
  std::span<const TColumnDesc> moving;
  std::span<const TColumnDesc> movingFixTe;
  std::span<const TColumnDesc> frozen;

  bool Available() const { return create != nullptr; }
  std::span<const TColumnDesc> Columns(bool noMove, bool fixTe) const {
    if (noMove) return frozen;
    return fixTe && !movingFixTe.empty() ? movingFixTe : moving;
  }
};

// Every class, the root first.
std::span<const SolverClassInfo> SolverCatalog();
// The entry of a class (None gives the root's).
const SolverClassInfo& SolverClassOf(SolverClass cls);
const char* SolverClassName(SolverClass cls);
// The arrays of a class beyond THydrStat's x, v, P, T, E: its ancestors' first.
std::vector<const SolverArrayInfo*> ClassArrays(const SolverClassInfo& info);

// ---- choosing a class ----------------------------------------------------------------------

// What the initial-conditions dialog knows when it creates the instances.
struct SolverChoice {
  int32_t thermalItem = 0;  // 0 "1T", 1..5 the two-temperature profiles
  bool NoConduct = false;
  bool NoThermo = false;
  bool elastic = false;   // check "Elast"
  bool noMove = false;    // boundary mode "No move"
  bool nonMetal = false;  // the instances were last of the non-metal class
};

// The class a new state is built with.
SolverClass SelectSolverClass(const SolverChoice& c);

// What a profile file's titles say of the class that wrote it.
struct ProfileSignature {
  bool frozen = false;    // the grid never moved (no density column)
  bool twoT = false;      // an ion-temperature column
  bool nonMetal = false;  // an ionisation column
  bool elastic = false;   // a stress column
};

// The class a profile is continued with when no instances exist, asking what the file
// cannot say ("2 Temp", "With Hydrodyn", "With Thermocond", "Elast/plast"; Yes / No /
// Cancel); nothing when an answer cancelled.
std::optional<SolverClass> DeduceSolverClass(const ProfileSignature& file, Prompter& prompter);

}  // namespace tarvex
