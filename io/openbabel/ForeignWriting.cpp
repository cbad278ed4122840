#include "io/openbabel/ForeignWriting.h"

#include <openbabel/atom.h>
#include <openbabel/mol.h>
#include <openbabel/obconversion.h>
#include <openbabel/residue.h>

#include <map>
#include <sstream>
#include <utility>

#include "base/FixedText.h"
#include "io/openbabel/BabelMolecule.h"

namespace tf {
namespace {

// Residues by name and number, in the order their first atoms come.
void AddResidues(OpenBabel::OBMol& molecule, const babel::MoleculeCopy& copy) {
  std::map<std::pair<std::u16string, int32_t>, OpenBabel::OBResidue*> residues;
  for (std::size_t i = 0; i < copy.atoms.size(); ++i) {
    const Atom& atom = copy.atoms[i];
    const std::u16string name(TextView(atom.fragmentName));
    OpenBabel::OBResidue*& residue = residues[{name, atom.fragmentNumber}];
    if (residue == nullptr) {
      residue = molecule.NewResidue();
      residue->SetName(ToUtf8(name));
      residue->SetNum(atom.fragmentNumber);
    }
    OpenBabel::OBAtom* member = molecule.GetAtom(static_cast<int>(i) + 1);
    residue->AddAtom(member);
    residue->SetAtomID(member, ToUtf8(TextView(atom.name)));
  }
}

}  // namespace

std::optional<std::string> ForeignMoleculeText(Document& document, const ForceFieldTables& tables,
                                               MoleculeFormat format, std::string_view title) {
  if (format == MoleculeFormat::kPdb || !CanWriteFormat(format)) return std::nullopt;
  const babel::MoleculeCopy copy = babel::CopyMolecule(document);
  babel::ClearBabelLog();
  OpenBabel::OBMol molecule;
  babel::FillMolecule(molecule, copy, tables);
  babel::PerceiveOrdersFromGeometry(molecule);
  // The document's hydrogens are all explicit: the file gets no others.
  for (std::size_t i = 0; i < copy.atoms.size(); ++i) {
    OpenBabel::OBAtom* atom = molecule.GetAtom(static_cast<int>(i) + 1);
    atom->SetImplicitHCount(0);
    atom->SetPartialCharge(copy.atoms[i].charge);
  }
  molecule.SetPartialChargesPerceived();
  AddResidues(molecule, copy);
  molecule.SetChainsPerceived();  // keeps the writers from replacing the residues
  molecule.SetTitle(std::string(title).c_str());

  OpenBabel::OBConversion conversion;
  if (!conversion.SetOutFormat(babel::BabelFormatName(format))) return std::nullopt;
  std::ostringstream out;
  if (!conversion.Write(&molecule, &out)) return std::nullopt;
  return out.str();
}

}  // namespace tf
