#pragma once
// The overlay texts of the view. Numbers are formatted without the
// process locale, so a desktop locale cannot turn "." into ",".

#include <cstdint>
#include <string>

namespace tf {

// "Number of selected atoms: %d\nNumber of atoms: %d\nNumber of bonds: %d"
std::u16string CountsText(int32_t selected, uint32_t atoms, uint32_t bonds);

// "Energy = %.6f\ndE = %.6f\nMax fluctuation = %f"
std::u16string EnergyText(float energy, float energyChange, float stepScale);

// "Grid Scale: %.f A" for a spacing of 1 or more, else "Grid Scale: 1/%.f A"
// with the inverse.
std::u16string GridScaleText(float gridStep);

// "Strain: %.2f .. %.2f kcal/mol": the ends of the strain colour scale.
std::u16string StrainScaleText(float lowest, float highest);

}  // namespace tf
