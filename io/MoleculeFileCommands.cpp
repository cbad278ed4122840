#include "io/MoleculeFileCommands.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "base/FixedText.h"
#include "io/FileBytes.h"
#include "io/MoleculeFiles.h"
#include "io/MoleculeFormat.h"
#include "io/openbabel/ForeignReading.h"
#include "io/openbabel/ForeignWriting.h"
#include "model/Document.h"

namespace tf {

void TakeMolecule(Document& to, const Document& from) {
  NewMolecule(to);
  std::copy_n(from.atoms, from.atomCount, to.atoms);
  std::copy_n(from.bonds, from.bondCount, to.bonds);
  to.atomCount = from.atomCount;
  to.bondCount = from.bondCount;
  to.selectedCount = 0;
  std::copy_n(from.filePath, kPathCapacity, to.filePath);
}

ReadReport ReadMoleculeFile(Document& fresh, const ForceFieldTables& tables,
                            std::u16string_view path, uint32_t record) {
  const MoleculeFormat format = FormatOfPath(path).value_or(MoleculeFormat::kPdb);
  if (format == MoleculeFormat::kPdb) return ReadMolecule(fresh, tables);
  ReadReport report;
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) {
    report.Fail({ToUtf8(path), 0, "cannot be opened", {}});
    return report;
  }
  return ReadForeignMolecule(fresh, tables, *bytes, format, ToUtf8(path), record);
}

ReadReport OpenMoleculeFile(Document& document, const ForceFieldTables& tables,
                            std::u16string_view path, uint32_t record) {
  // Read beside the document, so a file that cannot be read costs nothing.
  const auto fresh = std::make_unique<Document>();
  SetFilePath(*fresh, path);
  ReadReport report = ReadMoleculeFile(*fresh, tables, path, record);
  if (report.read) {
    std::lock_guard model(document.modelLock);
    TakeMolecule(document, *fresh);
  }
  return report;
}

bool SaveMoleculeFile(Document& document, const ForceFieldTables& tables,
                      std::u16string_view path) {
  const MoleculeFormat format = FormatOfPath(path).value_or(MoleculeFormat::kPdb);
  if (!CanWriteFormat(format)) return false;
  if (format != MoleculeFormat::kPdb) {
    if (path.size() >= static_cast<std::size_t>(kPathCapacity)) return false;
    const std::optional<std::string> text = ForeignMoleculeText(
        document, tables, format, ToUtf8(path.substr(path.find_last_of(u'/') + 1)));
    if (!text || !WriteFileBytes(path, *text)) return false;
    std::lock_guard model(document.modelLock);
    SetFilePath(document, path);
    return true;
  }
  std::lock_guard model(document.modelLock);
  char16_t previous[kPathCapacity];
  std::copy_n(document.filePath, kPathCapacity, previous);
  SetFilePath(document, path);
  const bool saved = WriteMolecule(document);
  if (!saved) std::copy_n(previous, kPathCapacity, document.filePath);
  return saved;
}

}  // namespace tf
