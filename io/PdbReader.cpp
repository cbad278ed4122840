// Reading a PDB file with its companions into an emptied document.

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/FixedText.h"
#include "base/ReadReport.h"
#include "base/WordStream.h"
#include "io/CompanionFiles.h"
#include "io/FileBytes.h"
#include "io/MoleculeFiles.h"
#include "io/PdbColumns.h"
#include "io/PerceiveBonds.h"
#include "io/openbabel/TypePerception.h"
#include "model/TypeRoles.h"

namespace tf {

namespace {

constexpr std::size_t kMaxWord = 255;

int32_t ResidueNumber(std::string_view word, int32_t previous) {
  if (word.starts_with("**")) return previous;
  std::size_t length = 0;
  if (!word.empty() && (word[0] == '-' || word[0] == '+')) length = 1;
  while (length < word.size() && word[length] >= '0' && word[length] <= '9') ++length;
  int32_t value = 0;
  if (!ParseInt(word.substr(0, length), value)) return 0;
  return value;
}

class PdbAtomReader {
 public:
  PdbAtomReader(Document& document, std::string_view text) : document_(document), words_(text) {}

  // Reads atom records until "END...", the end of the file, a number that
  // cannot be read, or a full document. Returns true when the document
  // filled up. A record that cannot be read is kept as far as it was read,
  // and its line is where reading stopped (`unreadableAt`).
  bool ReadAtoms();
  std::optional<std::size_t> UnreadableAt() const { return unreadableAt_; }
  // The element column of each atom's line (empty where it had none).
  const std::vector<std::string>& Elements() const { return elements_; }

 private:
  enum class Outcome { kNext, kEndOfFile, kUnreadable, kFull };

  Outcome ReadAtomRecord(std::string_view keywordWord, bool hetatm);
  bool ReadByColumns(Atom& atom, std::size_t lineStart);
  bool ReadByWords(Atom& atom, bool hetatm, std::string_view keywordWord);
  int32_t PreviousResidueNumber() const {
    return document_.atomCount > 0 ? document_.atoms[document_.atomCount - 1].fragmentNumber : 0;
  }

  Document& document_;
  WordStream words_;
  std::optional<std::size_t> unreadableAt_;
  std::vector<std::string> elements_;
};

bool PdbAtomReader::ReadAtoms() {
  std::string_view word = words_.ReadWord();
  while (!word.starts_with("END") && !words_.AtEnd()) {
    const bool hetatm = word.starts_with("HETATM");
    if (word.starts_with("ATOM") || hetatm) {
      if (document_.atomCount >= kMaxAtoms) return true;
      const std::size_t recordStart = words_.LastWordStart();
      switch (ReadAtomRecord(word, hetatm)) {
        case Outcome::kNext:
          break;
        case Outcome::kEndOfFile:
          return false;
        case Outcome::kUnreadable:
          unreadableAt_ = recordStart;
          return document_.atomCount >= kMaxAtoms;
        case Outcome::kFull:
          return true;
      }
    } else {
      words_.SkipLine();
    }
    word = words_.ReadWord();
  }
  return false;
}

PdbAtomReader::Outcome PdbAtomReader::ReadAtomRecord(std::string_view keywordWord, bool hetatm) {
  const std::size_t wordStart = words_.LastWordStart();
  Atom& atom = document_.atoms[document_.atomCount];
  atom = Atom{};
  elements_.resize(document_.atomCount + 1);
  std::string_view text = words_.Text();
  const bool atLineStart = wordStart == 0 || text[wordStart - 1] == '\n';
  bool readable = atLineStart && ReadByColumns(atom, wordStart);
  if (!readable) {
    readable = ReadByWords(atom, hetatm, keywordWord);
    if (readable) words_.SkipLine();
  }
  ++document_.atomCount;
  if (words_.AtEnd()) return Outcome::kEndOfFile;
  if (!readable) return Outcome::kUnreadable;
  return document_.atomCount >= kMaxAtoms ? Outcome::kFull : Outcome::kNext;
}

bool PdbAtomReader::ReadByColumns(Atom& atom, std::size_t lineStart) {
  std::string_view text = words_.Text();
  std::size_t lineEnd = text.find('\n', lineStart);
  std::string_view line = text.substr(
      lineStart, lineEnd == std::string_view::npos ? std::string_view::npos : lineEnd - lineStart);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::optional<PdbAtomFields> fields = ReadPdbColumns(line);
  if (!fields) return false;
  atom.serial = fields->serial;
  SetText(atom.name, fields->name);
  SetText(atom.fragmentName, fields->fragmentName);
  atom.fragmentNumber = ResidueNumber(fields->residueNumber, PreviousResidueNumber());
  atom.x = fields->x;
  atom.y = fields->y;
  atom.z = fields->z;
  elements_[document_.atomCount].assign(fields->element);
  if (lineEnd == std::string_view::npos) {
    words_.SetPosition(text.size());
    words_.SkipLine();  // marks the end of the file as reached
  } else {
    words_.SetPosition(lineEnd + 1);
  }
  return true;
}

bool PdbAtomReader::ReadByWords(Atom& atom, bool hetatm, std::string_view keywordWord) {
  // A serial may run into the keyword ("ATOM123456789"); one that is not a
  // number (such as "*****") reads as 0.
  const std::size_t keywordLength = hetatm ? 6 : 4;
  std::string_view serial =
      keywordWord.size() > keywordLength ? keywordWord.substr(keywordLength) : words_.ReadWord();
  if (!ParseInt(serial, atom.serial)) atom.serial = 0;
  std::string_view name = words_.ReadWord();
  SetText(atom.name, name.substr(0, kMaxWord));
  std::string_view fragment = words_.ReadWord();
  SetText(atom.fragmentName, fragment.substr(0, kMaxWord));
  // The chain identifier is one character; a residue number can run into it
  // ("A1000").
  std::string_view chain = hetatm ? std::string_view() : words_.ReadWord();
  std::string_view residue = chain.size() > 1 ? chain.substr(1) : words_.ReadWord();
  atom.fragmentNumber = ResidueNumber(residue, PreviousResidueNumber());
  return words_.ReadFloat(atom.x) && words_.ReadFloat(atom.y) && words_.ReadFloat(atom.z);
}

// Where a line gives its element (columns 77-78), the atom takes that
// element's type instead of the one its name suggested.
void TakeElementColumns(Document& document, const ForceFieldTables& tables,
                        const std::vector<std::string>& elements) {
  const std::size_t count = std::min<std::size_t>(document.atomCount, elements.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& element = elements[i];
    const bool letters =
        !element.empty() && std::all_of(element.begin(), element.end(), [](char c) {
          return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        });
    if (letters)
      document.atoms[i].atomType = AtomTypeForRole(tables, element, TypeRole::kByElement);
  }
}

}  // namespace

void SetFilePath(Document& document, std::u16string_view path) {
  SetText(document.filePath, path);
}

void AssignTypeFromName(Document& document, const ForceFieldTables& tables, uint32_t atomIndex) {
  Atom& atom = document.atoms[atomIndex];
  std::u16string_view name = TextView(atom.name);
  const uint32_t typeCount = tables.atomTypeCount < static_cast<uint32_t>(kMaxAtomTypes)
                                 ? tables.atomTypeCount
                                 : kMaxAtomTypes;
  for (uint32_t t = 0; t < typeCount; ++t) {
    int32_t chemical = tables.atomTypes[t].chemicalType;
    if (chemical < 0 || chemical >= kMaxChemicalTypes) continue;
    if (name.starts_with(TextView(tables.chemicalTypes[chemical].symbol))) {
      atom.atomType = static_cast<int32_t>(t);
      return;
    }
  }
  atom.atomType = UnknownAtomType(tables);
}

ReadReport ReadMoleculeBytes(Document& document, const ForceFieldTables& tables,
                             const std::optional<std::string>& pdb,
                             const std::optional<std::string>& topology,
                             const std::optional<std::string>& atoms, bool withCompanions) {
  ReadReport report;
  const std::u16string_view path = TextView(document.filePath);
  const std::string file = ToUtf8(path);
  if (!pdb) {
    report.Fail({file, 0, "cannot be opened", {}});
    return report;
  }
  PdbAtomReader reader(document, *pdb);
  report.atomLimitReached = reader.ReadAtoms();
  if (const auto at = reader.UnreadableAt())
    report.stopped = ProblemAt(file, *pdb, *at, "number cannot be read");
  for (uint32_t i = 0; i < document.atomCount; ++i) AssignTypeFromName(document, tables, i);
  if (withCompanions) {
    ReadTopology(document, topology, ToUtf8(CompanionPath(path, CompanionKind::Topology)), report);
    ReadAtoms(document, tables, atoms, ToUtf8(CompanionPath(path, CompanionKind::Atoms)), report);
  }
  // Without its atoms file the molecule's types are perceived, from bonds
  // perceived first when the bond list is missing too.
  if ((withCompanions && atoms) || document.atomCount == 0) return report;
  TakeElementColumns(document, tables, reader.Elements());
  if (!withCompanions || !topology) {
    const PerceivedBonds perceived = AddPerceivedBonds(document, tables, ReadConectPairs(*pdb));
    report.bondsLeftOut = perceived.refusedCapacity;
  }
  PerceiveAtomTypes(document, tables);
  return report;
}

ReadReport ReadMolecule(Document& document, const ForceFieldTables& tables) {
  std::u16string_view path = TextView(document.filePath);
  std::u16string topologyPath = CompanionPath(path, CompanionKind::Topology);
  const bool withCompanions = !topologyPath.empty();
  return ReadMoleculeBytes(
      document, tables, ReadFileBytes(path),
      withCompanions ? ReadFileBytes(topologyPath) : std::nullopt,
      withCompanions ? ReadFileBytes(CompanionPath(path, CompanionKind::Atoms)) : std::nullopt,
      withCompanions);
}

}  // namespace tf
