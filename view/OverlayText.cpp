#include "view/OverlayText.h"

#include <cmath>

#include "base/NumberText.h"

namespace tf {

namespace {

// The value as shown with one decimal: never "-0.0", and the torsion's
// -180.0 is the same angle as 180.0.
double ShownDegrees(double degrees, bool torsion) {
  double shown = std::round(degrees * 10.0) / 10.0;
  if (torsion && shown <= -180.0) shown += 360.0;
  return shown == 0.0 ? 0.0 : shown;
}

}  // namespace

std::u16string CountsText(int32_t selected, uint32_t atoms, uint32_t bonds,
                          const Measurement& measurement) {
  std::u16string text = u"Number of selected atoms: ";
  text += IntegerText(selected);
  text += u"\nNumber of atoms: ";
  text += IntegerText(atoms);
  text += u"\nNumber of bonds: ";
  text += IntegerText(bonds);
  if (const std::u16string line = MeasurementText(measurement); !line.empty()) {
    text += u"\n";
    text += line;
  }
  return text;
}

std::u16string MeasurementText(const Measurement& measurement) {
  switch (measurement.atomCount) {
    case 2:
      return u"Distance = " + DecimalText(measurement.value, 3) + u" A";
    case 3:
      return u"Angle = " + DecimalText(ShownDegrees(measurement.value, false), 1) + u" deg";
    case 4:
      return u"Torsion = " + DecimalText(ShownDegrees(measurement.value, true), 1) + u" deg";
    default:
      return {};
  }
}

namespace {

// The energy and its change, then one more figure of the run.
std::u16string RunFigures(float energy, float energyChange, std::u16string_view label, float value,
                          int decimals) {
  std::u16string text = u"Energy = ";
  text += DecimalText(energy, 6);
  text += u"\ndE = ";
  text += DecimalText(energyChange, 6);
  text += u"\n";
  text += label;
  text += u" = ";
  text += DecimalText(value, decimals);
  return text;
}

}  // namespace

std::u16string EnergyText(float energy, float energyChange, float stepScale) {
  return RunFigures(energy, energyChange, u"Max fluctuation", stepScale, 6);
}

std::u16string MinimizingText(float energy, float energyChange, float rmsGradient) {
  return RunFigures(energy, energyChange, u"RMS gradient", rmsGradient, 4);
}

std::u16string GridScaleText(float gridStep) {
  std::u16string text = u"Grid Scale: ";
  if (gridStep >= 1.0f) {
    text += DecimalText(gridStep, 0);
  } else {
    text += u"1/";
    text += DecimalText(1.0f / gridStep, 0);
  }
  text += u" A";
  return text;
}

std::u16string StrainScaleText(float lowest, float highest) {
  std::u16string text = u"Strain: ";
  text += DecimalText(lowest, 2);
  text += u" .. ";
  text += DecimalText(highest, 2);
  text += u" kcal/mol";
  return text;
}

}  // namespace tf
