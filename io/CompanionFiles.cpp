// The topology file (bond list) and the atoms file (AtomType and charge per
// atom) that sit beside a PDB file.

#include "io/CompanionFiles.h"

#include <charconv>

#include "base/WordStream.h"
#include "io/FileBytes.h"

namespace tf {

namespace {

void AppendInt(std::string& out, int32_t value) {
  char buffer[16];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, end);
}

void AppendCharge(std::string& out, float charge) {
  char buffer[64];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, charge, std::chars_format::fixed, 4);
  out.append(buffer, end);
}

std::size_t SkipSpaces(std::string_view text, std::size_t position) {
  while (position < text.size() && (IsSpaceByte(text[position]) || text[position] == '\0'))
    ++position;
  return position;
}

// After a failed read: the end of the file ends the list quietly, anything
// else is a value that cannot be read.
void StopUnlessAtEnd(const WordStream& words, std::string_view text, std::string_view file,
                     ReadReport& report) {
  const std::size_t at = SkipSpaces(text, words.Position());
  if (at >= text.size() || report.stopped) return;
  report.stopped = ProblemAt(file, text, at, "number cannot be read");
}

}  // namespace

std::u16string CompanionPath(std::u16string_view pdbPath, CompanionKind kind) {
  std::size_t at = pdbPath.find(u".pdb");
  if (at == std::u16string_view::npos) return {};
  std::u16string path(pdbPath.substr(0, at));
  path += kind == CompanionKind::Topology ? u".tftopology" : u".tfatoms";
  if (path.size() >= static_cast<std::size_t>(kPathCapacity)) return {};
  return path;
}

void ReadTopology(Document& document, const std::optional<std::string>& bytes,
                  std::string_view file, ReadReport& report) {
  document.bondCount = 0;
  if (!bytes) return;
  WordStream words(*bytes);
  const int32_t atomCount = static_cast<int32_t>(document.atomCount);
  int32_t a = 0, b = 0;
  for (;;) {
    const std::size_t pairStart = words.Position();
    if (!words.ReadInt(a) || !words.ReadInt(b)) {
      StopUnlessAtEnd(words, *bytes, file, report);
      return;
    }
    if (a < 0 || a >= atomCount || b < 0 || b >= atomCount) {
      report.Warn(ProblemAt(file, *bytes, SkipSpaces(*bytes, pairStart), "bond names no atom"));
    } else if (document.bondCount >= kMaxBonds) {
      report.Warn(ProblemAt(file, *bytes, SkipSpaces(*bytes, pairStart), "bond list is full"));
    } else {
      document.bonds[document.bondCount++] = {a, b};
    }
  }
}

void ReadAtoms(Document& document, const ForceFieldTables& tables,
               const std::optional<std::string>& bytes, std::string_view file, ReadReport& report) {
  if (!bytes || document.atomCount == 0) return;
  WordStream words(*bytes);
  for (uint32_t i = 0; i < document.atomCount; ++i) {
    int32_t atomType = 0;
    const std::size_t lineStart = words.Position();
    if (!words.ReadInt(atomType)) return StopUnlessAtEnd(words, *bytes, file, report);
    // An index the loaded table does not have would be read past later;
    // the atom keeps the type its name gave it.
    if (atomType >= 0 && static_cast<uint32_t>(atomType) < tables.atomTypeCount) {
      document.atoms[i].atomType = atomType;
    } else {
      report.Warn(ProblemAt(file, *bytes, SkipSpaces(*bytes, lineStart),
                            "atom type not in the parameter file"));
    }
    if (!words.ReadFloat(document.atoms[i].charge))
      return StopUnlessAtEnd(words, *bytes, file, report);
  }
}

std::string TopologyText(const Document& document) {
  std::string out;
  out.reserve(document.bondCount * 12);
  for (uint32_t i = 0; i < document.bondCount; ++i) {
    AppendInt(out, document.bonds[i].atom1);
    out += '\t';
    AppendInt(out, document.bonds[i].atom2);
    out += "\r\n";
  }
  return out;
}

std::string AtomsText(const Document& document) {
  std::string out;
  out.reserve(document.atomCount * 14);
  for (uint32_t i = 0; i < document.atomCount; ++i) {
    AppendInt(out, document.atoms[i].atomType);
    out += '\t';
    AppendCharge(out, document.atoms[i].charge);
    out += "\r\n";
  }
  return out;
}

bool WriteAtomsFile(const Document& document, std::u16string_view path) {
  return WriteFileBytes(path, AtomsText(document));
}

}  // namespace tf
