#pragma once
// The bonds a PDB file lists in its CONECT records, as pairs of atom serial
// numbers. Mapping serials to atoms is the caller's: only it knows which
// atoms were read.

#include <cstdint>
#include <string_view>
#include <vector>

namespace tf {

struct SerialPair {
  int32_t first;   // the record's atom, columns 7-11
  int32_t second;  // one of the atoms bonded to it, columns 12-16, 17-21, 22-26 or 27-31
};

// Every pair the CONECT records of `fileBytes` list, in file order, as
// written (a bond listed from both of its atoms appears twice). Fields that
// are blank, cut off by a short line or not a number are passed over, and so
// is a record whose own serial is not a number. Records inside the second and
// later MODEL blocks belong to other models and are passed over; reading
// stops at the END record.
std::vector<SerialPair> ReadConectPairs(std::string_view fileBytes);

}  // namespace tf
