#include "model/TypeRoles.h"

#include <algorithm>
#include <cstdlib>

#include "base/FixedText.h"
#include "model/TableLookup.h"

namespace tf {
namespace {

char UpperAscii(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char>(c - u'a' + u'A') : static_cast<char>(c);
}

bool SameSymbol(std::u16string_view symbol, std::string_view element) {
  if (symbol.empty() || symbol.size() != element.size()) return false;
  for (std::size_t i = 0; i < symbol.size(); ++i)
    if (symbol[i] > 0x7F || UpperAscii(symbol[i]) != UpperAscii(element[i])) return false;
  return true;
}

struct RoleWant {
  int32_t hybridization;  // -1: any
  int32_t position;       // preferred table position, -1: none
};

RoleWant WantOf(TypeRole role, std::string_view element) {
  switch (role) {
    case TypeRole::kHydrogen:
      return {0, -1};
    case TypeRole::kCarbonSp3:
    case TypeRole::kNitrogenAmine:
    case TypeRole::kOxygenSp3:
      return {3, -1};
    case TypeRole::kCarbonSp2:
    case TypeRole::kOxygenSp2:
      return {2, -1};
    case TypeRole::kNitrogenLonePairPi:
      return {2, kLonePairPiNitrogenPosition};
    case TypeRole::kNitrogenSp2:
      return {2, kSp2NitrogenPosition};
    case TypeRole::kCarbonSp:
    case TypeRole::kNitrogenSp:
      return {1, -1};
    case TypeRole::kByElement:
      break;
  }
  // Sulfur and phosphorus are typed sp3; halogens and metals by element alone.
  if (SameSymbol(u"S", element) || SameSymbol(u"P", element)) return {3, -1};
  return {-1, -1};
}

}  // namespace

int32_t UnknownAtomType(const ForceFieldTables& tables) {
  const uint32_t count = std::min<uint32_t>(tables.atomTypeCount, kMaxAtomTypes);
  int32_t unknown = 0;
  for (uint32_t t = 0; t < count; ++t)
    if (TextView(tables.atomTypes[t].description) == u"Unknown") unknown = static_cast<int32_t>(t);
  return unknown;
}

int32_t AtomTypeForRole(const ForceFieldTables& tables, std::string_view element, TypeRole role) {
  const RoleWant want = WantOf(role, element);
  const int32_t count =
      static_cast<int32_t>(std::min<uint32_t>(tables.atomTypeCount, kMaxAtomTypes));
  int32_t best = -1;
  int32_t bestMiss = 0;
  for (int32_t t = 0; t < count; ++t) {
    const ChemicalType* chemical = ChemicalTypeOfAtomType(tables, t);
    if (chemical == nullptr || !SameSymbol(ChemicalSymbol(*chemical), element)) continue;
    if (want.hybridization < 0) return t;
    // How far the type is from the role: hybridization first, then position.
    const int32_t miss = std::abs(tables.atomTypes[t].hybridization - want.hybridization) * 2 +
                         (want.position >= 0 && t != want.position ? 1 : 0);
    if (best < 0 || miss < bestMiss) {
      best = t;
      bestMiss = miss;
    }
  }
  return best >= 0 ? best : UnknownAtomType(tables);
}

}  // namespace tf
