#include "view/OverlayText.h"

#include "base/NumberText.h"

namespace tf {
std::u16string CountsText(int32_t selected, uint32_t atoms, uint32_t bonds) {
  std::u16string text = u"Number of selected atoms: ";
  text += IntegerText(selected);
  text += u"\nNumber of atoms: ";
  text += IntegerText(atoms);
  text += u"\nNumber of bonds: ";
  text += IntegerText(bonds);
  return text;
}

std::u16string EnergyText(float energy, float energyChange, float stepScale) {
  std::u16string text = u"Energy = ";
  text += DecimalText(energy, 6);
  text += u"\ndE = ";
  text += DecimalText(energyChange, 6);
  text += u"\nMax fluctuation = ";
  text += DecimalText(stepScale, 6);
  return text;
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
