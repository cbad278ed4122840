#include "io/openbabel/Hydrogens.h"

#include <openbabel/atom.h>
#include <openbabel/mol.h>

#include <algorithm>
#include <mutex>
#include <optional>
#include <vector>

#include "base/FixedText.h"
#include "io/openbabel/BabelMolecule.h"
#include "model/HydrogenPlacement.h"
#include "model/TableLookup.h"
#include "model/TypeRoles.h"

namespace tf {
namespace {

// Bond length used where the parameter file has no H distance for a type.
constexpr double kFallbackHydrogenDistance = 1.0;

Direction Between(const Atom& from, const Atom& to) {
  return {double{to.x} - from.x, double{to.y} - from.y, double{to.z} - from.z};
}

// The highest n of the atoms named "H<n>".
uint32_t HighestHydrogenNumber(const std::vector<Atom>& atoms) {
  uint32_t highest = 0;
  for (const Atom& atom : atoms) {
    const std::u16string_view name = TextView(atom.name);
    if (name.size() < 2 || name[0] != u'H') continue;
    uint32_t number = 0;
    bool digits = true;
    for (char16_t c : name.substr(1)) {
      if (c < u'0' || c > u'9') digits = false;
      number = number * 10 + static_cast<uint32_t>(c - u'0');
    }
    if (digits) highest = std::max(highest, number);
  }
  return highest;
}

struct NewHydrogen {
  uint32_t atom;        // the heavy atom it bonds to
  Direction direction;  // unit
  double distance;
};

std::vector<NewHydrogen> PlaceHydrogens(const babel::MoleculeCopy& copy,
                                        const ForceFieldTables& tables, OpenBabel::OBMol& molecule,
                                        int32_t hydrogenType) {
  const std::size_t count = copy.atoms.size();
  std::vector<std::vector<uint32_t>> neighbours(count);
  for (const Bond& bond : copy.bonds) {
    if (bond.atom1 < 0 || bond.atom2 < 0 || bond.atom1 == bond.atom2) continue;
    const auto a = static_cast<std::size_t>(bond.atom1), b = static_cast<std::size_t>(bond.atom2);
    if (a >= count || b >= count) continue;
    neighbours[a].push_back(static_cast<uint32_t>(b));
    neighbours[b].push_back(static_cast<uint32_t>(a));
  }
  std::vector<NewHydrogen> placed;
  std::vector<std::vector<Direction>> newBonds(count);  // directions of the hydrogens placed
  for (uint32_t i = 0; i < count; ++i) {
    OpenBabel::OBAtom& atom = *molecule.GetAtom(static_cast<int>(i) + 1);
    const uint32_t lacking = atom.GetAtomicNum() > 1 ? atom.GetImplicitHCount() : 0;
    if (lacking == 0) continue;
    const Atom& heavy = copy.atoms[i];
    std::vector<Direction> bonds;
    for (uint32_t n : neighbours[i]) bonds.push_back(Between(heavy, copy.atoms[n]));
    std::optional<Direction> reference;
    if (!neighbours[i].empty()) {
      // The neighbour's other bond: one it had, else a hydrogen just given
      // to it, so that both ends of a double bond share one plane.
      const uint32_t first = neighbours[i][0];
      for (uint32_t n : neighbours[first])
        if (n != i) reference = Between(copy.atoms[first], copy.atoms[n]);
      if (!reference && !newBonds[first].empty()) reference = newBonds[first][0];
    }
    const AtomType* type = AtomTypeSlot(tables, heavy.atomType);
    const int32_t hybridization = type != nullptr ? type->hybridization : 3;
    const float parameter = BondDistanceParameter(tables, hydrogenType, heavy.atomType);
    const double distance = parameter > 0 ? parameter : kFallbackHydrogenDistance;
    for (const Direction& direction : NewBondDirections(bonds, hybridization, lacking, reference)) {
      placed.push_back({i, direction, distance});
      newBonds[i].push_back(direction);
    }
  }
  return placed;
}

}  // namespace

AddedHydrogens AddHydrogens(Document& document, const ForceFieldTables& tables) {
  const babel::MoleculeCopy copy = babel::CopyMolecule(document);
  OpenBabel::OBMol molecule;
  babel::FillMolecule(molecule, copy, tables);
  babel::PerceiveOrdersFromGeometry(molecule);
  const int32_t hydrogenType = AtomTypeForRole(tables, "H", TypeRole::kHydrogen);
  const std::vector<NewHydrogen> placed = PlaceHydrogens(copy, tables, molecule, hydrogenType);

  AddedHydrogens result;
  uint32_t number = HighestHydrogenNumber(copy.atoms);
  std::lock_guard model(document.modelLock);
  for (const NewHydrogen& hydrogen : placed) {
    if (document.atomCount >= kMaxAtoms || document.bondCount >= kMaxBonds ||
        hydrogen.atom >= document.atomCount) {
      ++result.notAdded;
      continue;
    }
    // From where the atom is now: a shaping worker may have moved it.
    const Atom& heavy = document.atoms[hydrogen.atom];
    Atom& added = document.atoms[document.atomCount];
    added = Atom{};
    const std::string name = "H" + std::to_string(++number);
    SetText(added.name, std::string_view(name).substr(0, 5));
    std::copy_n(heavy.fragmentName, 6, added.fragmentName);
    added.fragmentNumber = heavy.fragmentNumber;
    added.x = static_cast<float>(heavy.x + hydrogen.distance * hydrogen.direction.x);
    added.y = static_cast<float>(heavy.y + hydrogen.distance * hydrogen.direction.y);
    added.z = static_cast<float>(heavy.z + hydrogen.distance * hydrogen.direction.z);
    added.atomType = hydrogenType;
    document.bonds[document.bondCount++] = {static_cast<int32_t>(hydrogen.atom),
                                            static_cast<int32_t>(document.atomCount)};
    ++document.atomCount;
    ++result.added;
  }
  return result;
}

std::string DescribeAddedHydrogens(const AddedHydrogens& hydrogens) {
  std::string text = std::to_string(hydrogens.added) +
                     (hydrogens.added == 1 ? " hydrogen was added." : " hydrogens were added.");
  if (hydrogens.notAdded > 0) {
    text += "\n" + std::to_string(hydrogens.notAdded) +
            " could not be added: the molecule holds at most " + std::to_string(kMaxAtoms) +
            " atoms and " + std::to_string(kMaxBonds) + " bonds.";
  }
  return text;
}

}  // namespace tf
