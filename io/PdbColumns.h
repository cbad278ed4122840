#pragma once
// Fixed-column reading of one ATOM/HETATM line, used when the line keeps the
// standard PDB columns; otherwise the reader falls back to reading words.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tf {

struct PdbAtomFields {
  int32_t serial;                  // 0 when the serial field holds no number
  std::string_view name;           // columns 13-16, trimmed
  std::string_view fragmentName;   // columns 18-20, or 18-21 when 21 is not blank
  std::string_view residueNumber;  // columns 23-26, trimmed
  std::string_view element;        // columns 77-78, trimmed; empty when the line has none
  float x, y, z;
};

// Columns first..last (1-based, inclusive, as the PDB format counts them); a
// line that ends earlier gives what is left of the field.
std::string_view PdbField(std::string_view line, std::size_t first, std::size_t last);
// `text` without the spaces around it.
std::string_view TrimSpaces(std::string_view text);

// The line without its line end. Returns nothing unless the line is long
// enough and each coordinate field holds exactly one number that does not run
// across the field's edges.
std::optional<PdbAtomFields> ReadPdbColumns(std::string_view line);

}  // namespace tf
