#include "io/openbabel/ForeignReading.h"

#include <openbabel/atom.h>
#include <openbabel/bond.h>
#include <openbabel/mol.h>
#include <openbabel/obconversion.h>
#include <openbabel/obiter.h>
#include <openbabel/residue.h>

#include <algorithm>
#include <sstream>

#include "base/FixedText.h"
#include "io/PerceiveBonds.h"
#include "io/openbabel/BabelMolecule.h"
#include "io/openbabel/TypePerception.h"
#include "model/Document.h"

namespace tf {
namespace {

// Formats whose files list bonds with their orders; the others (XYZ, mmCIF)
// get their bonds perceived as Perceive Bonds does.
bool HasBondOrders(MoleculeFormat format) {
  return format == MoleculeFormat::kSdf || format == MoleculeFormat::kMol2 ||
         format == MoleculeFormat::kCml;
}

// Skips to molecule `record`, reads it, then counts the molecules after it.
bool ReadRecord(OpenBabel::OBConversion& conversion, OpenBabel::OBMol& molecule, uint32_t record,
                uint32_t& molecules) {
  molecules = 0;
  bool found = false;
  OpenBabel::OBMol other;
  while (true) {
    OpenBabel::OBMol& into = molecules == record ? molecule : other;
    into.Clear();
    if (!conversion.Read(&into)) break;
    if (molecules == record) found = true;
    ++molecules;
  }
  return found;
}

}  // namespace

ReadReport ReadForeignMolecule(Document& document, const ForceFieldTables& tables,
                               const std::string& bytes, MoleculeFormat format,
                               std::string_view file, uint32_t record) {
  ReadReport report;
  const std::string fileName(file);
  babel::ClearBabelLog();
  OpenBabel::OBConversion conversion;
  if (format == MoleculeFormat::kPdb || !conversion.SetInFormat(babel::BabelFormatName(format))) {
    report.Fail({fileName, 0, "format cannot be read", {}});
    return report;
  }
  if (!HasBondOrders(format)) conversion.AddOption("b", OpenBabel::OBConversion::INOPTIONS);
  std::istringstream in(bytes);
  conversion.SetInStream(&in, false);
  OpenBabel::OBMol molecule;
  uint32_t molecules = 0;
  const bool found = ReadRecord(conversion, molecule, record, molecules);
  report.moleculesInFile = molecules;
  if (!found || molecule.NumAtoms() == 0) {
    std::string reason = babel::LastBabelError();
    if (reason.empty()) {
      reason = !found && molecules > 0 ? "holds " + std::to_string(molecules) +
                                             " molecules, no molecule " + std::to_string(record + 1)
                                       : "no molecule with atoms can be read";
    }
    report.Fail({fileName, 0, reason, {}});
    return report;
  }
  const babel::TakenMolecule taken =
      babel::TakeMolecule(document, tables, molecule, format == MoleculeFormat::kMol2);
  report.atomsLeftOut = taken.atomsLeftOut;
  report.bondsLeftOut = taken.bondsLeftOut;
  if (HasBondOrders(format) && molecule.NumBonds() > 0) {
    babel::TakeTypes(document, tables, molecule);
  } else {
    document.bondCount = 0;  // the file's bonds, if any, come without orders
    const PerceivedBonds perceived = AddPerceivedBonds(document, tables, {});
    report.bondsLeftOut = perceived.refusedCapacity;
    PerceiveAtomTypes(document, tables);
  }
  return report;
}

}  // namespace tf
