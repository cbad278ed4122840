#pragma once
// The overlay texts of the view. Numbers are formatted without the
// process locale, so a desktop locale cannot turn "." into ",".

#include <cstdint>
#include <string>

#include "model/Measurement.h"

namespace tf {

// "Number of selected atoms: %d\nNumber of atoms: %d\nNumber of bonds: %d",
// then "\n" and the measurement's text when there is one.
std::u16string CountsText(int32_t selected, uint32_t atoms, uint32_t bonds,
                          const Measurement& measurement = {});

// "Distance = %.3f A", "Angle = %.1f deg" or "Torsion = %.1f deg" for two,
// three or four atoms, else empty. A torsion that rounds to -180.0 shows 180.0.
std::u16string MeasurementText(const Measurement& measurement);

// "Energy = %.6f\ndE = %.6f\nMax fluctuation = %f"
std::u16string EnergyText(float energy, float energyChange, float stepScale);

// "Energy = %.6f\ndE = %.6f\nRMS gradient = %.4f"
std::u16string MinimizingText(float energy, float energyChange, float rmsGradient);

// "Grid Scale: %.f A" for a spacing of 1 or more, else "Grid Scale: 1/%.f A"
// with the inverse.
std::u16string GridScaleText(float gridStep);

// "Strain: %.2f .. %.2f kcal/mol": the ends of the strain colour scale.
std::u16string StrainScaleText(float lowest, float highest);

}  // namespace tf
