// Reading a PDB file with its companions into an emptied store.

#include <optional>
#include <string>

#include "forcefield/FixedText.h"
#include "forcefield/WordStream.h"
#include "io/CompanionFiles.h"
#include "io/FileBytes.h"
#include "io/MoleculeFiles.h"
#include "io/PdbColumns.h"

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
  PdbAtomReader(MoleculeStore& store, std::string_view text) : store_(store), words_(text) {}

  // Reads atom records until "END...", the end of the file, a number that
  // cannot be read, or a full store. Returns true when the store filled up.
  bool ReadAtoms();

 private:
  enum class Outcome { kNext, kEndOfFile, kUnreadable, kFull };

  Outcome ReadAtomRecord(std::string_view keywordWord, bool hetatm);
  bool ReadByColumns(Atom& atom, std::size_t lineStart);
  bool ReadByWords(Atom& atom, bool hetatm, std::string_view keywordWord);
  int32_t PreviousResidueNumber() const {
    return store_.atomCount > 0 ? store_.atoms[store_.atomCount - 1].fragmentNumber : 0;
  }

  MoleculeStore& store_;
  WordStream words_;
};

bool PdbAtomReader::ReadAtoms() {
  std::string_view word = words_.ReadWord();
  while (!word.starts_with("END") && !words_.AtEnd()) {
    const bool hetatm = word.starts_with("HETATM");
    if (word.starts_with("ATOM") || hetatm) {
      if (store_.atomCount >= kMaxAtoms) return true;
      switch (ReadAtomRecord(word, hetatm)) {
        case Outcome::kNext:
          break;
        case Outcome::kEndOfFile:
          return false;
        case Outcome::kUnreadable:
          return store_.atomCount >= kMaxAtoms;
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
  Atom& atom = store_.atoms[store_.atomCount];
  atom = Atom{};
  std::string_view text = words_.Text();
  const bool atLineStart = wordStart == 0 || text[wordStart - 1] == '\n';
  bool readable = atLineStart && ReadByColumns(atom, wordStart);
  if (!readable) {
    readable = ReadByWords(atom, hetatm, keywordWord);
    if (readable) words_.SkipLine();
  }
  ++store_.atomCount;
  if (words_.AtEnd()) return Outcome::kEndOfFile;
  if (!readable) return Outcome::kUnreadable;
  return store_.atomCount >= kMaxAtoms ? Outcome::kFull : Outcome::kNext;
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

}  // namespace

void SetFilePath(MoleculeStore& store, std::u16string_view path) {
  SetText(store.filePath, path);
}

void AssignTypeFromName(MoleculeStore& store, uint32_t atomIndex) {
  const ForceFieldTables& tables = store.tables;
  Atom& atom = store.atoms[atomIndex];
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
  atom.atomType = 0;
  for (uint32_t t = 0; t < typeCount; ++t) {
    if (TextView(tables.atomTypes[t].description) == u"Unknown")
      atom.atomType = static_cast<int32_t>(t);
  }
}

bool ReadMoleculeBytes(MoleculeStore& store, const std::optional<std::string>& pdb,
                       const std::optional<std::string>& topology,
                       const std::optional<std::string>& atoms, bool withCompanions) {
  bool limitReached = false;
  if (!pdb) {
    ShowMessage(store.shell, u"Bad file.", MessageIcon::Warning);
  } else {
    limitReached = PdbAtomReader(store, *pdb).ReadAtoms();
  }
  for (uint32_t i = 0; i < store.atomCount; ++i) AssignTypeFromName(store, i);
  if (limitReached) {
    ShowMessage(store.shell, u"Too many atoms. Only 7000 atoms have been loaded.",
                MessageIcon::Information);
  }
  if (!pdb) return false;
  if (!withCompanions) return true;
  ReadTopology(store, topology);
  ReadAtoms(store, atoms);
  return true;
}

bool ReadMolecule(MoleculeStore& store) {
  std::u16string_view path = TextView(store.filePath);
  std::u16string topologyPath = CompanionPath(path, CompanionKind::Topology);
  const bool withCompanions = !topologyPath.empty();
  return ReadMoleculeBytes(
      store, ReadFileBytes(path), withCompanions ? ReadFileBytes(topologyPath) : std::nullopt,
      withCompanions ? ReadFileBytes(CompanionPath(path, CompanionKind::Atoms)) : std::nullopt,
      withCompanions);
}

}  // namespace tf
