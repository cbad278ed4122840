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

}  // namespace tf::fuzz
