#include "io/openbabel/SmilesBuilding.h"

#include <openbabel/mol.h>
#include <openbabel/obconversion.h>
#include <openbabel/op.h>

#include "io/openbabel/BabelMolecule.h"
#include "model/Document.h"

namespace tf {

ReadReport BuildFromSmiles(Document& document, const ForceFieldTables& tables,
                           std::string_view smiles) {
  ReadReport report;
  babel::ClearBabelLog();
  const std::string text(smiles);
  const auto fail = [&](std::string reason) {
    report.Fail({"SMILES", 0, std::move(reason), text.substr(0, kProblemTextLimit)});
    return report;
  };
  // A SMILES line may name its molecule after white space; a second word
  // is a name, never a second molecule.
  if (text.find_first_of("\r\n") != std::string::npos) return fail("more than one line");
  OpenBabel::OBConversion conversion;
  OpenBabel::OBMol molecule;
  if (!conversion.SetInFormat("smi") || !conversion.ReadString(&molecule, text) ||
      molecule.NumAtoms() == 0) {
    const std::string reason = babel::LastBabelError();
    return fail(reason.empty() ? "cannot be parsed" : reason);
  }
  if (molecule.NumAtoms() > kMaxAtoms) return fail("more atoms than a molecule can hold");
  molecule.AddHydrogens();
  OpenBabel::OBOp* builder = OpenBabel::OBOp::FindType("gen3d");
  if (builder == nullptr || !builder->Do(&molecule, "fast")) return fail("cannot be built in 3-D");
  const babel::TakenMolecule taken = babel::TakeMolecule(document, tables, molecule, false);
  report.atomsLeftOut = taken.atomsLeftOut;
  report.bondsLeftOut = taken.bondsLeftOut;
  babel::TakeTypes(document, tables, molecule);
  return report;
}

}  // namespace tf
