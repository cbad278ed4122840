#pragma once
// A document with the shipped parameter file's tables, for the fuzz targets
// that read molecules.

#include <cstdlib>
#include <memory>

#include "forcefield/ParameterFile.h"
#include "model/Document.h"

namespace tf::fuzz {

struct Reading {
  Document document;
  ForceFieldTables tables;
};

inline std::unique_ptr<Reading> MakeReading() {
  auto reading = std::make_unique<Reading>();
  if (!LoadParameterFile(reading->tables, TF_SOURCE_DIR "/share/config.ini")) std::abort();
  return reading;
}

// Aborts unless every count and index of the read document stays inside its
// tables, so that any later operation can index them.
inline void CheckDocument(const Reading& records) {
  const Document& document = records.document;
  if (document.atomCount > kMaxAtoms || document.bondCount > kMaxBonds) std::abort();
  for (uint32_t i = 0; i < document.atomCount; ++i) {
    const int32_t type = document.atoms[i].atomType;
    if (type < 0 || static_cast<uint32_t>(type) >= records.tables.atomTypeCount) std::abort();
  }
  for (uint32_t b = 0; b < document.bondCount; ++b) {
    const Bond& bond = document.bonds[b];
    if (bond.atom1 < 0 || bond.atom2 < 0 ||
        static_cast<uint32_t>(bond.atom1) >= document.atomCount ||
        static_cast<uint32_t>(bond.atom2) >= document.atomCount)
      std::abort();
  }
}

}  // namespace tf::fuzz
