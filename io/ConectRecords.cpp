#include "io/ConectRecords.h"

#include "forcefield/WordStream.h"

namespace tf {
namespace {

// 1-based inclusive columns, as the PDB format counts them; a line that ends
// earlier gives what is left of the field.
std::string_view Columns(std::string_view line, std::size_t first, std::size_t last) {
  if (line.size() < first) return {};
  return line.substr(first - 1, last - first + 1);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpaceByte(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceByte(text.back())) text.remove_suffix(1);
  return text;
}

bool ReadSerial(std::string_view line, std::size_t first, int32_t& serial) {
  return ParseInt(Trim(Columns(line, first, first + 4)), serial);
}

void ReadConectRecord(std::string_view line, std::vector<SerialPair>& pairs) {
  int32_t atom = 0;
  if (!ReadSerial(line, 7, atom)) return;
  for (std::size_t first : {12, 17, 22, 27}) {
    int32_t bonded = 0;
    if (ReadSerial(line, first, bonded)) pairs.push_back({atom, bonded});
  }
}

}  // namespace

std::vector<SerialPair> ReadConectPairs(std::string_view fileBytes) {
  std::vector<SerialPair> pairs;
  bool modelSeen = false;
  bool insideLaterModel = false;
  std::size_t lineStart = 0;
  while (lineStart < fileBytes.size()) {
    std::size_t lineEnd = fileBytes.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = fileBytes.size();
    std::string_view line = fileBytes.substr(lineStart, lineEnd - lineStart);
    lineStart = lineEnd + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    const std::string_view record = Trim(Columns(line, 1, 6));
    if (record == "END") break;
    if (record == "MODEL") {
      insideLaterModel = modelSeen;
      modelSeen = true;
    } else if (record == "ENDMDL") {
      insideLaterModel = false;
    } else if (record == "CONECT" && !insideLaterModel) {
      ReadConectRecord(line, pairs);
    }
  }
  return pairs;
}

}  // namespace tf
