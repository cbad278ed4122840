#include "io/ConectRecords.h"

#include "base/WordStream.h"
#include "io/PdbColumns.h"

namespace tf {
namespace {

bool ReadSerial(std::string_view line, std::size_t first, int32_t& serial) {
  return ParseInt(TrimSpaces(PdbField(line, first, first + 4)), serial);
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

    const std::string_view record = TrimSpaces(PdbField(line, 1, 6));
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
