#include "io/MoleculeFileCommands.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "io/MoleculeFiles.h"
#include "model/Document.h"

namespace tf {

namespace {

// The molecule of `from` (atoms, bonds, path) replaces that of `to`.
void TakeMolecule(Document& to, const Document& from) {
  NewMolecule(to);
  std::copy_n(from.atoms, from.atomCount, to.atoms);
  std::copy_n(from.bonds, from.bondCount, to.bonds);
  to.atomCount = from.atomCount;
  to.bondCount = from.bondCount;
  to.selectedCount = 0;
  std::copy_n(from.filePath, kPathCapacity, to.filePath);
}

}  // namespace

ReadReport OpenMoleculeFile(Document& document, const ForceFieldTables& tables,
                            std::u16string_view path) {
  // Read beside the document, so a file that cannot be read costs nothing.
  const auto fresh = std::make_unique<Document>();
  SetFilePath(*fresh, path);
  ReadReport report = ReadMolecule(*fresh, tables);
  if (report.read) {
    std::lock_guard model(document.modelLock);
    TakeMolecule(document, *fresh);
  }
  return report;
}

bool SaveMoleculeFile(Document& document, std::u16string_view path) {
  std::lock_guard model(document.modelLock);
  char16_t previous[kPathCapacity];
  std::copy_n(document.filePath, kPathCapacity, previous);
  SetFilePath(document, path);
  const bool saved = WriteMolecule(document);
  if (!saved) std::copy_n(previous, kPathCapacity, document.filePath);
  return saved;
}

}  // namespace tf
