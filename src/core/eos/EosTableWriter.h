// The table writer: tabulates an equation of state given as slots over a grid of
// temperatures and densities into a complete table set, and writes it as a folder that
// the table dialog loads. The description's title line says how the set was made.
//
// The grid is rounded to the digits its files hold before the model is evaluated, so
// the set in memory and the set read back stand on the same nodes.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/common/Real.h"
#include "core/common/Slot.h"
#include "core/eos/EosTableIO.h"
#include "core/eos/EosTableSet.h"

namespace tarvex {

// The model to tabulate. E and P are required; each other slot, when set, adds its
// table: Cv as "hcapav" (written in J/g/K), the sound speed as "sndvls", the phase code
// as "physid", the mixture fraction as "PhsMix", the entropy as "entrop".
struct TEosTableModel {
  Slot2 E;           // [kJ/g]
  Slot2 P;           // [GPa]
  Slot2 Cv;          // [kJ/g/K]
  Slot2 SoundSpeed;  // [km/s]
  IntSlot2 PhaseId;  // phase codes, -99..99
  Slot2 PhaseMix;    // 0..1
  Slot2 Entropy;     // [kJ/g/K]
};

// The grid: temperatures [K] increasing, densities [g/cm3] strictly monotonic (written
// as the volumes 1/rho in increasing order). The grid kinds only label the description.
struct TEosTableGrid {
  RealArray T;
  RealArray rho;
  bool TLog = false;
  bool VLog = false;
  bool kK = false;  // temperatures written in kK (the description's unit "kK")
};

// A grid of NT temperatures from Tmin to Tmax and Nrho densities from rhoMin to rhoMax,
// each linear or logarithmic (the densities' kind is that of their volumes: logarithmic
// in rho is logarithmic in V). False with a message for an impossible grid.
bool MakeEosTableGrid(Real Tmin, Real Tmax, int32_t NT, bool TLog, Real rhoMin, Real rhoMax,
                      int32_t Nrho, bool VLog, TEosTableGrid& grid, std::string& message);

struct TEosTableWrite {
  bool ok = false;
  std::string message;
  std::shared_ptr<TEosTableSet> set;  // the tabulated set (values not rounded)
  std::vector<std::string> manLines;  // the description written with it
};

// Evaluates the model at every node. `title` becomes the description's first line (one
// line; line breaks become blanks), `material` the entry of its list of materials. A
// model value that is not finite, or a phase code outside -99..99, is refused naming
// the node.
TEosTableWrite TabulateEos(const TEosTableModel& model, const TEosTableGrid& grid,
                           const std::string& title, const std::string& material);

// Tabulates and writes the set into `folder` (created when missing) as "data.man" (or
// `manName`) with its grid and table files. The message names the first failure.
TEosTableWrite WriteEosTable(const TEosTableModel& model, const TEosTableGrid& grid,
                             const std::string& title, const std::string& material,
                             const std::filesystem::path& folder,
                             const std::string& manName = "data.man");

}  // namespace tarvex
