// Physical constants of the electron models, in the units the models compute with
// (kJ, g, cm, s, K; erg and esu where a formula is written in CGS). These values are part
// of the models' calibration: the fitted coefficients of the metal models were obtained
// with them, so they stay as they are rather than follow newer constant tables.
#pragma once

#include "core/common/Real.h"

namespace tarvex::electron {

inline constexpr Real kB = 1.3806504e-26L;             // Boltzmann constant [kJ/K]
inline constexpr Real kBerg = 1.3806504e-16L;          // Boltzmann constant [erg/K]
inline constexpr Real kBeV = 8.617342936120782e-05L;   // Boltzmann constant [eV/K]
inline constexpr Real NAv = 6.02497e23L;               // atoms per mole
inline constexpr Real Hbar = 1.0545887e-37L;           // Planck constant / 2 pi [kJ s]
inline constexpr Real ElectronMass = 9.1083e-28L;      // [g]
inline constexpr Real ElectronVolt = 1.60217646e-22L;  // [kJ]
inline constexpr Real ErgPerKJ = 1e10L;                // [erg/kJ]
inline constexpr Real Pi = 3.14159265358979323846264338L;

// hbar^2/(2 m_e) [kJ cm2] = hbar [kJ s] * hbar/(2 m_e) [cm2/s].
inline constexpr Real FermiPrefactor = 1.0545887e-37L * (1e10L * 5.7891631808350626e-11L);
inline constexpr Real ThreePi2 = 29.608813203268075857L;  // 3 pi^2
// (pi^2/2) kB^2 [kJ2/K2]: Sommerfeld coefficient per electron is this / E_F.
inline constexpr Real SommerfeldCoef = 9.406697881407510276e-52L;
// 1.5 kB [kJ/K]: classical heat capacity per electron.
inline constexpr Real ClassicalCoef = 2.0709756e-26L;
// Spitzer-type plasma conductivity C_pl Z = (16/pi) kB (kB[erg]/e^2)^2 sqrt(2 kB[erg]/(pi m_e))
// [kW/cm/K^(7/2)]: kappa_pl = C_pl Te^(5/2).
inline constexpr Real PlasmaKappaCoef =
    5.0929581789406507446L * 1.3806504e-26L * 358270.5747817448499L * 310644.20742681060457L;
// Temperature scale of the ion (lattice) conductivity [K].
inline constexpr Real IonKappaTat = 315642.53856008733277L;

}  // namespace tarvex::electron
