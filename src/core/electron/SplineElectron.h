// The electron model of the "Spline" page: heat capacity, energy and its inverse from the
// heat-capacity file, coupling from the coupling file (the data files of ElectronTables.h),
// and an electron pressure with a density-dependent Grüneisen factor:
//   Pe = rho Gamma(rho) Ee(Te)  [GPa],  Gamma = (Gamma0 + Add(rho)) Mult(rho)
//   Add  = G1/(G2 max(0, rho0/rho - G3)^2 + 1)   ("+" checked, else 0)
//   Mult = (1 - min(1, 0.1 rho0/rho)^6)^3        ("*" checked, else 1)
// with rho0 the density of the heat-capacity file. The input file ("In.txt") names the
// two data files and the atomic mass, one line each: a value followed by its key
// ("Cefile", "Gefile", "Amass"), optionally with "=" before the key and the value in
// double quotes.
#pragma once

#include <string>

#include "core/common/Real.h"
#include "core/electron/ElectronTables.h"

namespace tarvex {

struct SplineGruneisen {
  Real rho0 = 0;  // [g/cm3]
  Real Gamma0 = 0;
  Real G1 = 0, G2 = 0, G3 = 0;
  bool add = false;   // "+"
  bool mult = false;  // "*"
};

Real GruneisenOf(const SplineGruneisen& g, Real rho);

struct SplineElParams {
  CeModel ce;
  GeModel ge;
  SplineGruneisen gr;
};

Real SplineEnergy(const SplineElParams& p, Real rho, Real Te);
Real SplineHeatCap(const SplineElParams& p, Real rho, Real Te);
Real SplinePressure(const SplineElParams& p, Real rho, Real Te);
Real SplinePressureDT(const SplineElParams& p, Real rho, Real Te);  // rho Gamma Ce
Real SplineTofE(const SplineElParams& p, Real rho, Real Ee);
Real SplineCoupling(const SplineElParams& p, Real rho, Real Te);

// The input file of the page.
struct SplineInFile {
  bool ok = false;
  std::string message;  // "Cannot open ..." or "ERROR reading <key>", with file and line
  std::string Cefile;   // as written in the file
  std::string Gefile;
  Real Amass = 0;  // [g/mol]
};

// Reads the text of an input file named `fileName` (for the messages).
SplineInFile ParseSplineIn(std::string_view text, const std::string& fileName);
SplineInFile ReadSplineIn(const std::string& path);

// A data-file name of the input file as a path: relative names are taken from the input
// file's folder.
std::string ResolveBeside(const std::string& inputPath, const std::string& name);

}  // namespace tarvex
