#include "app/ChemistryCommands.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "app/Application.h"
#include "app/LongCommand.h"
#include "base/FixedText.h"
#include "charges/PartialCharges.h"
#include "io/PerceiveBonds.h"
#include "io/openbabel/Hydrogens.h"
#include "io/openbabel/TypePerception.h"

namespace tf {

namespace {

// A copy of the molecule and what the command made of it. Shared with the
// helper thread, which may outlive a cancelled command.
template <typename Result>
struct WorkOnCopy {
  std::unique_ptr<Document> molecule;
  Result result{};
};

// Runs work(copy, tables, cancel) -> Result on a copy of the molecule, then
// apply(copy, result) under modelLock on the window thread. The result, or
// nothing when the user cancelled. Editing waits meanwhile, so only a
// shaping worker can have moved atoms when the result comes back; the
// counts stay as they were.
template <typename Result, typename Work, typename Apply>
std::optional<Result> OnCopy(Application& app, std::u16string_view name, Work work, Apply apply) {
  auto job = std::make_shared<WorkOnCopy<Result>>();
  job->molecule = CopyOfMolecule(app.document);
  const ForceFieldTables& tables = app.tables;
  const bool ended = RunLongCommand(
      app, name, true,
      [job, &tables, work](const std::atomic<bool>& cancel) {
        job->result = work(*job->molecule, tables, cancel);
      },
      [&] {
        std::lock_guard model(app.document.modelLock);
        apply(*job->molecule, job->result);
      });
  if (!ended) return std::nullopt;
  return job->result;
}

// The new atoms and their bonds; each hydrogen follows its heavy atom if a
// shaping worker moved it meanwhile.
void TakeNewHydrogens(Document& document, const Document& copy, uint32_t atomsBefore,
                      uint32_t bondsBefore) {
  if (document.atomCount != atomsBefore || document.bondCount != bondsBefore) return;
  std::copy(copy.atoms + atomsBefore, copy.atoms + copy.atomCount, document.atoms + atomsBefore);
  for (uint32_t b = bondsBefore; b < copy.bondCount; ++b) {
    const Bond bond = copy.bonds[b];
    document.bonds[b] = bond;
    if (bond.atom1 < 0 || static_cast<uint32_t>(bond.atom1) >= atomsBefore ||
        static_cast<uint32_t>(bond.atom2) < atomsBefore)
      continue;
    const Atom& heavyThen = copy.atoms[bond.atom1];
    const Atom& heavyNow = document.atoms[bond.atom1];
    Atom& hydrogen = document.atoms[bond.atom2];
    hydrogen.x += heavyNow.x - heavyThen.x;
    hydrogen.y += heavyNow.y - heavyThen.y;
    hydrogen.z += heavyNow.z - heavyThen.z;
  }
  document.atomCount = copy.atomCount;
  document.bondCount = copy.bondCount;
}

}  // namespace

void ComputeChargesOfDocument(Application& app) {
  Document& document = app.document;
  OnCopy<bool>(
      app, u"Charges",
      [](Document& molecule, const ForceFieldTables& tables, const std::atomic<bool>& cancel) {
        return RecomputeCharges(molecule, tables, {.cancel = &cancel});
      },
      [&document](const Document& copy, bool computed) {
        if (!computed || copy.atomCount != document.atomCount) return;
        for (uint32_t i = 0; i < copy.atomCount; ++i)
          document.atoms[i].charge = copy.atoms[i].charge;
      });
  SendRefreshPanels(app);
}

void PerceiveBondsOfDocument(Application& app) {
  Document& document = app.document;
  const auto perceived = OnCopy<PerceivedBonds>(
      app, u"Perceive Bonds",
      [](Document& molecule, const ForceFieldTables& tables, const std::atomic<bool>&) {
        return PerceiveBonds(molecule, tables);
      },
      [&document](const Document& copy, const PerceivedBonds&) {
        std::copy_n(copy.bonds, copy.bondCount, document.bonds);
        document.bondCount = copy.bondCount;
      });
  if (!perceived) return;
  RefreshAndRedraw(app);
  app.desktop.ShowMessageBox(FromUtf8(DescribePerceivedBonds(*perceived)), u"Message",
                             MessageIcon::Information);
}

void PerceiveTypesOfDocument(Application& app) {
  Document& document = app.document;
  const auto changed = OnCopy<uint32_t>(
      app, u"Perceive Types",
      [](Document& molecule, const ForceFieldTables& tables, const std::atomic<bool>&) {
        return PerceiveAtomTypes(molecule, tables);
      },
      [&document](const Document& copy, uint32_t) {
        if (copy.atomCount != document.atomCount) return;
        for (uint32_t i = 0; i < copy.atomCount; ++i)
          document.atoms[i].atomType = copy.atoms[i].atomType;
      });
  if (!changed) return;
  RefreshAndRedraw(app);
  app.desktop.ShowMessageBox(
      FromUtf8(std::to_string(*changed)) +
          (*changed == 1 ? u" atom type was changed." : u" atom types were changed."),
      u"Message", MessageIcon::Information);
}

void AddHydrogensToDocument(Application& app) {
  Document& document = app.document;
  const uint32_t atomsBefore = document.atomCount, bondsBefore = document.bondCount;
  const auto added = OnCopy<AddedHydrogens>(
      app, u"Add Hydrogens",
      [](Document& molecule, const ForceFieldTables& tables, const std::atomic<bool>&) {
        return AddHydrogens(molecule, tables);
      },
      [&](const Document& copy, const AddedHydrogens&) {
        TakeNewHydrogens(document, copy, atomsBefore, bondsBefore);
      });
  if (!added) return;
  RefreshAndRedraw(app);
  app.desktop.ShowMessageBox(FromUtf8(DescribeAddedHydrogens(*added)), u"Message",
                             MessageIcon::Information);
}

}  // namespace tf
