#include "io/openbabel/BabelMolecule.h"

#include <openbabel/atom.h>
#include <openbabel/bond.h>
#include <openbabel/elements.h>
#include <openbabel/oberror.h>
#include <openbabel/obfunctions.h>
#include <openbabel/obiter.h>
#include <openbabel/residue.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <utility>

#include "base/FixedText.h"
#include "model/TableLookup.h"

namespace tf::babel {

const char* BabelFormatName(MoleculeFormat format) {
  switch (format) {
    case MoleculeFormat::kPdb:
      return "pdb";
    case MoleculeFormat::kSdf:
      return "sdf";
    case MoleculeFormat::kMol2:
      return "mol2";
    case MoleculeFormat::kXyz:
      return "xyz";
    case MoleculeFormat::kCif:
      return "mmcif";
    case MoleculeFormat::kCml:
      return "cml";
  }
  return "pdb";
}

void ClearBabelLog() {
  static std::ostringstream discarded;
  OpenBabel::obErrorLog.SetOutputStream(&discarded);
  discarded.str({});
  OpenBabel::obErrorLog.ClearLog();
}

std::string LastBabelError() {
  const std::vector<std::string> errors =
      OpenBabel::obErrorLog.GetMessagesOfLevel(OpenBabel::obError);
  if (errors.empty()) return {};
  // Messages are "==============\n*** Open Babel Error  in Method\n  text\n".
  std::string text;
  std::istringstream lines(errors.back());
  for (std::string line; std::getline(lines, line);) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '=' || line[start] == '*') continue;
    if (!text.empty()) text += ' ';
    text += line.substr(start);
  }
  return text;
}

MoleculeCopy CopyMolecule(Document& document) {
  MoleculeCopy copy;
  std::lock_guard model(document.modelLock);
  const uint32_t atoms = std::min(document.atomCount, kMaxAtoms);
  const uint32_t bonds = std::min(document.bondCount, kMaxBonds);
  copy.atoms.assign(document.atoms, document.atoms + atoms);
  copy.bonds.assign(document.bonds, document.bonds + bonds);
  copy.fileOrigin = document.fileOrigin;
  return copy;
}

int AtomicNumberOfSymbol(std::u16string_view symbol) {
  if (symbol.empty() || symbol.size() > 3) return 0;
  std::string proper;
  for (std::size_t i = 0; i < symbol.size(); ++i) {
    char16_t c = symbol[i];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c < u'A' || c > u'Z') return 0;
    if (i > 0) c = static_cast<char16_t>(c - u'A' + u'a');
    proper.push_back(static_cast<char>(c));
  }
  return static_cast<int>(OpenBabel::OBElements::GetAtomicNum(proper.c_str()));
}

int AtomicNumberOfType(const ForceFieldTables& tables, int32_t atomType) {
  const ChemicalType* chemical = ChemicalTypeOfAtomType(tables, atomType);
  return chemical == nullptr ? 0 : AtomicNumberOfSymbol(ChemicalSymbol(*chemical));
}

std::string UpperSymbol(int atomicNumber) {
  std::string symbol = OpenBabel::OBElements::GetSymbol(static_cast<unsigned>(atomicNumber));
  for (char& c : symbol)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return symbol;
}

void FillMolecule(OpenBabel::OBMol& molecule, const MoleculeCopy& copy,
                  const ForceFieldTables& tables) {
  molecule.Clear();
  molecule.BeginModify();
  for (const Atom& atom : copy.atoms) {
    OpenBabel::OBAtom* added = molecule.NewAtom();
    added->SetAtomicNum(AtomicNumberOfType(tables, atom.atomType));
    added->SetVector(atom.x + copy.fileOrigin.x, atom.y + copy.fileOrigin.y,
                     atom.z + copy.fileOrigin.z);
    added->SetImplicitHCount(0);
  }
  const int32_t count = static_cast<int32_t>(copy.atoms.size());
  std::set<std::pair<int32_t, int32_t>> seen;
  for (const Bond& bond : copy.bonds) {
    const int32_t a = std::min(bond.atom1, bond.atom2);
    const int32_t b = std::max(bond.atom1, bond.atom2);
    if (a < 0 || b >= count || a == b || !seen.insert({a, b}).second) continue;
    molecule.AddBond(a + 1, b + 1, 1);
  }
  molecule.EndModify();
}

namespace {

// Geometry leaves the oxo groups of sulfur and phosphorus (sulfonyl,
// sulfoxide, phosphoryl) single-bonded; each terminal oxygen with nothing
// else bonded gets its double bond while the centre's valence allows.
void DoubleTheOxoBonds(OpenBabel::OBMol& molecule) {
  FOR_ATOMS_OF_MOL(centre, molecule) {
    const unsigned element = centre->GetAtomicNum();
    if (element != 15 && element != 16) continue;
    const unsigned most = element == 16 ? 6 : 5;
    FOR_BONDS_OF_ATOM(bond, &*centre) {
      OpenBabel::OBAtom* oxygen = bond->GetNbrAtom(&*centre);
      if (oxygen->GetAtomicNum() != 8 || oxygen->GetExplicitDegree() != 1 ||
          bond->GetBondOrder() != 1 || centre->GetExplicitValence() + 1 > most)
        continue;
      bond->SetBondOrder(2);
    }
  }
}

}  // namespace

void PerceiveOrdersFromGeometry(OpenBabel::OBMol& molecule) {
  molecule.PerceiveBondOrders();
  DoubleTheOxoBonds(molecule);
  FOR_ATOMS_OF_MOL(atom, molecule) OpenBabel::OBAtomAssignTypicalImplicitHydrogens(&*atom);
}

namespace {

struct BondCounts {
  int doubles = 0;
  int triples = 0;
};

BondCounts CountMultipleBonds(OpenBabel::OBAtom& atom) {
  BondCounts counts;
  FOR_BONDS_OF_ATOM(bond, atom) {
    if (bond->GetBondOrder() == 2) ++counts.doubles;
    if (bond->GetBondOrder() >= 3) ++counts.triples;
  }
  return counts;
}

bool InPiSystem(OpenBabel::OBAtom& atom) {
  if (atom.IsAromatic()) return true;
  const BondCounts counts = CountMultipleBonds(atom);
  return counts.doubles > 0 || counts.triples > 0;
}

int HydrogenCount(OpenBabel::OBAtom& atom) {
  return static_cast<int>(atom.ExplicitHydrogenCount() + atom.GetImplicitHCount());
}

TypeRole NitrogenRole(OpenBabel::OBAtom& atom, const BondCounts& counts) {
  if (counts.triples > 0) return TypeRole::kNitrogenSp;
  if (counts.doubles > 0) return TypeRole::kNitrogenSp2;
  if (atom.IsAromatic()) {
    const int heavy = static_cast<int>(atom.GetHvyDegree());
    return heavy == 2 && HydrogenCount(atom) == 0 ? TypeRole::kNitrogenSp2
                                                  : TypeRole::kNitrogenLonePairPi;
  }
  // A lone pair next to a carbon or nitrogen of a pi system joins it
  // (amides, anilines, enamines, amidines); four neighbours leave none.
  if (atom.GetExplicitDegree() + atom.GetImplicitHCount() < 4) {
    FOR_NBORS_OF_ATOM(neighbour, atom) {
      const unsigned element = neighbour->GetAtomicNum();
      if ((element == 6 || element == 7) && InPiSystem(*neighbour))
        return TypeRole::kNitrogenLonePairPi;
    }
  }
  return TypeRole::kNitrogenAmine;
}

void NameAtom(Atom& atom, const std::string& symbol, std::map<std::string, uint32_t>& numbers) {
  const std::string name = symbol + std::to_string(++numbers[symbol]);
  SetText(atom.name, std::string_view(name).substr(0, 5));
}

void SetResidue(Atom& atom, OpenBabel::OBAtom& from, bool fileHasResidues) {
  // Asking an atom for its residue makes Open Babel invent "UNL" residues
  // for a file that has none.
  OpenBabel::OBResidue* residue = fileHasResidues ? from.GetResidue() : nullptr;
  if (residue == nullptr || residue->GetName().empty()) {
    SetText(atom.fragmentName, std::string_view("LIG"));
    atom.fragmentNumber = 1;
    return;
  }
  // MOL2 names a substructure by residue name and number ("ALA12").
  std::string name = residue->GetName();
  const std::string number = std::to_string(residue->GetNum());
  if (name.size() > number.size() && name.ends_with(number))
    name.resize(name.size() - number.size());
  SetText(atom.fragmentName, std::string_view(name).substr(0, 5));
  atom.fragmentNumber = residue->GetNum();
}

}  // namespace

TakenMolecule TakeMolecule(Document& document, const ForceFieldTables& tables,
                           OpenBabel::OBMol& molecule, bool withCharges) {
  TakenMolecule taken;
  const uint32_t total = molecule.NumAtoms();
  const uint32_t kept = std::min(total, kMaxAtoms);
  taken.atomsLeftOut = total - kept;
  std::map<std::string, uint32_t> numbers;
  const bool fileHasResidues = molecule.NumResidues() > 0;
  for (uint32_t i = 0; i < kept; ++i) {
    OpenBabel::OBAtom& from = *molecule.GetAtom(static_cast<int>(i) + 1);
    Atom& atom = document.atoms[i];
    atom = Atom{};
    const std::string symbol =
        from.GetAtomicNum() == 0 ? "X" : babel::UpperSymbol(static_cast<int>(from.GetAtomicNum()));
    NameAtom(atom, symbol, numbers);
    SetResidue(atom, from, fileHasResidues);
    atom.serial = static_cast<int32_t>(i) + 1;
    atom.x = static_cast<float>(from.GetX());
    atom.y = static_cast<float>(from.GetY());
    atom.z = static_cast<float>(from.GetZ());
    atom.charge = withCharges ? static_cast<float>(from.GetPartialCharge()) : 0.0f;
    atom.atomType = from.GetAtomicNum() == 0
                        ? UnknownAtomType(tables)
                        : AtomTypeForRole(tables, symbol, TypeRole::kByElement);
  }
  document.atomCount = kept;
  FOR_BONDS_OF_MOL(bond, molecule) {
    const uint32_t a = bond->GetBeginAtomIdx() - 1;
    const uint32_t b = bond->GetEndAtomIdx() - 1;
    if (a >= document.atomCount || b >= document.atomCount || document.bondCount >= kMaxBonds) {
      ++taken.bondsLeftOut;
      continue;
    }
    document.bonds[document.bondCount++] = {static_cast<int32_t>(a), static_cast<int32_t>(b)};
  }
  return taken;
}

void TakeTypes(Document& document, const ForceFieldTables& tables, OpenBabel::OBMol& molecule) {
  for (uint32_t i = 0; i < document.atomCount; ++i) {
    OpenBabel::OBAtom& atom = *molecule.GetAtom(static_cast<int>(i) + 1);
    if (atom.GetAtomicNum() != 0) document.atoms[i].atomType = babel::PerceivedType(tables, atom);
  }
}

TypeRole RoleOfAtom(OpenBabel::OBAtom& atom) {
  const BondCounts counts = CountMultipleBonds(atom);
  switch (atom.GetAtomicNum()) {
    case 1:
      return TypeRole::kHydrogen;
    case 6:
      if (counts.triples > 0 || counts.doubles >= 2) return TypeRole::kCarbonSp;
      if (counts.doubles > 0 || atom.IsAromatic()) return TypeRole::kCarbonSp2;
      return TypeRole::kCarbonSp3;
    case 7:
      return NitrogenRole(atom, counts);
    case 8:
      return counts.doubles > 0 ? TypeRole::kOxygenSp2 : TypeRole::kOxygenSp3;
    default:
      return TypeRole::kByElement;
  }
}

int32_t PerceivedType(const ForceFieldTables& tables, OpenBabel::OBAtom& atom) {
  const unsigned element = atom.GetAtomicNum();
  if (element == 0) return UnknownAtomType(tables);
  return AtomTypeForRole(tables, OpenBabel::OBElements::GetSymbol(element), RoleOfAtom(atom));
}

}  // namespace tf::babel
