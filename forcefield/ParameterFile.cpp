#include "forcefield/ParameterFile.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "base/FixedText.h"
#include "base/WordStream.h"

namespace tf {

namespace {

constexpr std::size_t kMaxWordLength = 255;

enum Section { kBeforeSections, kChemicalTypes, kAtomTypes, kDistances, kStiffness };

class ParameterParser {
 public:
  ParameterParser(ForceFieldTables& tables, std::string_view text)
      : tables_(tables), words_(text) {}

  bool Parse();
  // Where the record that could not be read begins.
  std::size_t FailedRecordStart() const { return recordStart_; }

 private:
  // Next word; false when it is longer than any buffer may hold.
  bool Word(std::string_view& word) {
    word = words_.ReadWord();
    return word.size() <= kMaxWordLength;
  }
  bool RequiredWord(std::string_view& word) { return Word(word) && !word.empty(); }

  bool ChemicalTypeRecord(std::string_view first);
  bool AtomTypeRecord(std::string_view first);
  bool DistanceRecord(std::string_view first);
  bool StiffnessRecord(std::string_view first);
  int FindAtomType(std::string_view name) const;

  ForceFieldTables& tables_;
  WordStream words_;
  std::size_t recordStart_ = 0;
};

bool ParameterParser::Parse() {
  Section section = kBeforeSections;
  while (!words_.Exhausted()) {
    std::string_view word;
    const bool wordFits = Word(word);
    recordStart_ = words_.LastWordStart();
    if (!wordFits) return false;
    if (word.empty()) continue;
    if (word.starts_with("//")) {
      words_.SkipLine();
      continue;
    }
    if (word == "[CHEMICAL_TYPES]" && section == kBeforeSections) {
      section = kChemicalTypes;
      continue;
    }
    if (word == "[ATOM_TYPES]" && section == kChemicalTypes) {
      section = kAtomTypes;
      continue;
    }
    if (word == "[INTERATOMIC_DISTANCES]" && section == kAtomTypes) {
      section = kDistances;
      continue;
    }
    if (word == "[STIFFNESS]" && section == kDistances) {
      section = kStiffness;
      continue;
    }
    bool ok = true;
    switch (section) {
      case kBeforeSections:
        break;
      case kChemicalTypes:
        ok = ChemicalTypeRecord(word);
        break;
      case kAtomTypes:
        ok = AtomTypeRecord(word);
        break;
      case kDistances:
        ok = DistanceRecord(word);
        break;
      case kStiffness:
        ok = StiffnessRecord(word);
        break;
    }
    if (!ok) return false;
    words_.SkipLine();
  }
  return true;
}

bool ParameterParser::ChemicalTypeRecord(std::string_view name) {
  if (tables_.chemicalTypeCount >= kMaxChemicalTypes) return false;
  ChemicalType& type = tables_.chemicalTypes[tables_.chemicalTypeCount];
  std::string_view symbol;
  if (!RequiredWord(symbol)) return false;
  SetText(type.name, name);
  SetText(type.symbol, symbol.substr(0, 4));
  if (!words_.ReadFloat(type.radius) || !words_.ReadHex(type.colour)) return false;
  ++tables_.chemicalTypeCount;
  return true;
}

bool ParameterParser::AtomTypeRecord(std::string_view name) {
  if (tables_.atomTypeCount >= kMaxAtomTypes) return false;
  AtomType& type = tables_.atomTypes[tables_.atomTypeCount];
  SetText(type.name, name);

  std::string_view chemical;
  if (!RequiredWord(chemical)) return false;
  int found = -1;
  for (uint32_t i = 0; i < tables_.chemicalTypeCount && found < 0; ++i) {
    if (TextView(tables_.chemicalTypes[i].name) == FromLatin1(chemical))
      found = static_cast<int>(i);
  }
  if (found < 0) return false;
  type.chemicalType = found;

  std::string_view hybridization;
  if (!RequiredWord(hybridization)) return false;
  type.hybridization = hybridization == "sp1"   ? 1
                       : hybridization == "sp2" ? 2
                       : hybridization == "sp3" ? 3
                                                : 0;
  if (!words_.ReadFloat(type.ljSigma) || !words_.ReadFloat(type.ljEpsilon)) return false;
  std::string_view description;
  if (!RequiredWord(description)) return false;
  SetText(type.description, description);
  ++tables_.atomTypeCount;
  return true;
}

int ParameterParser::FindAtomType(std::string_view name) const {
  std::u16string cut = FromLatin1(name.substr(0, 9));
  for (uint32_t i = 0; i < tables_.atomTypeCount; ++i) {
    if (TextView(tables_.atomTypes[i].name) == cut) return static_cast<int>(i);
  }
  return -1;
}

bool ParameterParser::DistanceRecord(std::string_view first) {
  int i = FindAtomType(first);
  if (i < 0) return false;
  std::string_view second;
  if (!RequiredWord(second)) return false;
  int j = FindAtomType(second);
  if (j < 0) return false;
  float distance = 0;
  if (!words_.ReadFloat(distance)) return false;
  tables_.equilibriumDistance[i][j] = distance;
  tables_.equilibriumDistance[j][i] = distance;
  return true;
}

bool ParameterParser::StiffnessRecord(std::string_view key) {
  float value = 0;
  if (!words_.ReadFloat(value)) return false;
  Stiffness& s = tables_.stiffness;
  if (key == "DISTANCES")
    s.distances = value;
  else if (key == "ANGLES")
    s.angles = value;
  else if (key == "OUT_OF_PLANE")
    s.outOfPlane = value;
  else if (key == "TORSIONS_SP2_SP2")
    s.torsionsSp2Sp2 = value;
  else if (key == "TORSIONS_SP3_SP3")
    s.torsionsSp3Sp3 = value;
  else if (key == "LENNARD_JONES")
    s.lennardJones = value;
  else if (key == "COULOMB")
    s.coulomb = value;
  return true;
}

void ResetTables(ForceFieldTables& tables) {
  tables.chemicalTypeCount = 0;
  tables.atomTypeCount = 0;
  tables.defaultAtomType = 0;
  std::memset(tables.chemicalTypes, 0, sizeof tables.chemicalTypes);
  std::memset(tables.atomTypes, 0, sizeof tables.atomTypes);
  std::memset(tables.equilibriumDistance, 0, sizeof tables.equilibriumDistance);
}

}  // namespace

void SetIdealAngles(ForceFieldTables& tables) {
  const float tetrahedralCosine = -1.0f / 3.0f;
  tables.idealAngle[0] = 0.0f;
  tables.idealAngle[1] = 3.14159274f;
  tables.idealAngle[2] = 2.09439516f;
  tables.idealAngle[3] = static_cast<float>(std::acos(static_cast<double>(tetrahedralCosine)));
}

ReadReport LoadParameterFile(ForceFieldTables& tables, const char* path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    ReadReport report;
    report.Fail({path, 0, "cannot be opened", {}});
    return report;
  }
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return LoadParameterText(tables, text, path);
}

ReadReport LoadParameterText(ForceFieldTables& tables, std::string_view text,
                             std::string_view file) {
  ReadReport report;
  ResetTables(tables);
  ParameterParser parser(tables, text);
  if (!parser.Parse()) {
    report.Fail(ProblemAt(file, text, parser.FailedRecordStart(), "record cannot be read"));
    return report;
  }
  SetIdealAngles(tables);

  for (uint32_t i = 0; i < tables.atomTypeCount; ++i) {
    const AtomType& type = tables.atomTypes[i];
    if (type.hybridization == 3 &&
        TextView(tables.chemicalTypes[type.chemicalType].symbol) == u"C") {
      tables.defaultAtomType = i;
      break;
    }
  }
  if (tables.defaultAtomType == 0)
    report.Fail({std::string(file), 0, "no sp3 carbon atom type (C, hybridization 3)", {}});
  return report;
}

}  // namespace tf
