#include "view/OverlayText.h"

#include <charconv>
#include <cmath>

namespace tf {
namespace {

void AppendAscii(std::u16string& out, std::string_view text) {
  for (char c : text) out += static_cast<char16_t>(static_cast<unsigned char>(c));
}

void AppendInt(std::u16string& out, int64_t value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  AppendAscii(out, std::string_view(buffer, result.ptr - buffer));
}

// printf's "%.*f" for finite values; "inf", "-inf" and "nan" otherwise.
void AppendFixed(std::u16string& out, double value, int decimals) {
  if (std::isnan(value)) return AppendAscii(out, "nan");
  if (std::isinf(value)) return AppendAscii(out, value < 0 ? "-inf" : "inf");
  char buffer[400];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  AppendAscii(out, std::string_view(buffer, result.ptr - buffer));
}

}  // namespace

std::u16string CountsText(int32_t selected, uint32_t atoms, uint32_t bonds) {
  std::u16string text = u"Number of selected atoms: ";
  AppendInt(text, selected);
  text += u"\nNumber of atoms: ";
  AppendInt(text, atoms);
  text += u"\nNumber of bonds: ";
  AppendInt(text, bonds);
  return text;
}

std::u16string EnergyText(float energy, float energyChange, float stepScale) {
  std::u16string text = u"Energy = ";
  AppendFixed(text, energy, 6);
  text += u"\ndE = ";
  AppendFixed(text, energyChange, 6);
  text += u"\nMax fluctuation = ";
  AppendFixed(text, stepScale, 6);
  return text;
}

std::u16string GridScaleText(float gridStep) {
  std::u16string text = u"Grid Scale: ";
  if (gridStep >= 1.0f) {
    AppendFixed(text, gridStep, 0);
  } else {
    text += u"1/";
    AppendFixed(text, 1.0f / gridStep, 0);
  }
  text += u" A";
  return text;
}

}  // namespace tf
