#include "io/PdbColumns.h"

#include "base/WordStream.h"

namespace tf {

std::string_view PdbField(std::string_view line, std::size_t first, std::size_t last) {
  if (line.size() < first) return {};
  return line.substr(first - 1, last - first + 1);
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && IsSpaceByte(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceByte(text.back())) text.remove_suffix(1);
  return text;
}

namespace {

bool IsNumberChar(char c) {
  return (c >= '0' && c <= '9') || c == '.';
}

// True when the number in columns first..last stays inside them: a digit or
// point on both sides of an edge means one number crosses it, while a sign
// after the edge starts the next number.
bool StaysInside(std::string_view line, std::size_t first, std::size_t last) {
  char before = first >= 2 ? line[first - 2] : ' ';
  char firstChar = line[first - 1];
  char lastChar = line[last - 1];
  char after = last < line.size() ? line[last] : ' ';
  bool leftCrossed = IsNumberChar(before) && IsNumberChar(firstChar);
  bool rightCrossed = IsNumberChar(lastChar) && IsNumberChar(after);
  return !leftCrossed && !rightCrossed;
}

bool ReadCoordinate(std::string_view line, std::size_t first, float& value) {
  std::size_t last = first + 7;
  if (!StaysInside(line, first, last)) return false;
  return ParseFloat(TrimSpaces(PdbField(line, first, last)), value);
}

}  // namespace

std::optional<PdbAtomFields> ReadPdbColumns(std::string_view line) {
  if (line.size() < 54) return std::nullopt;
  PdbAtomFields fields{};
  if (!ReadCoordinate(line, 31, fields.x) || !ReadCoordinate(line, 39, fields.y) ||
      !ReadCoordinate(line, 47, fields.z))
    return std::nullopt;
  if (!ParseInt(TrimSpaces(PdbField(line, 7, 11)), fields.serial)) fields.serial = 0;
  fields.name = TrimSpaces(PdbField(line, 13, 16));
  bool fourCharacterResidue = !IsSpaceByte(line[20]);
  fields.fragmentName = TrimSpaces(PdbField(line, 18, fourCharacterResidue ? 21 : 20));
  fields.residueNumber = TrimSpaces(PdbField(line, 23, 26));
  fields.element = TrimSpaces(PdbField(line, 77, 78));
  return fields;
}

}  // namespace tf
