#pragma once
// Reads the parameter file (config.ini) into the force-field tables.

#include <string_view>

#include "forcefield/ForceFieldTables.h"

namespace tf {

// Returns true on success. On failure the tables may be partly filled and
// must not be used. The file is 8-bit text read as whitespace-separated words.
bool LoadParameterFile(ForceFieldTables& tables, const char* path = "config.ini");

// Fills idealAngle by hybridization: 0, pi, 2 pi / 3 and the tetrahedral
// angle (the loader does this after reading the file).
void SetIdealAngles(ForceFieldTables& tables);

// The same from the file's bytes already in memory.
bool LoadParameterText(ForceFieldTables& tables, std::string_view text);

}  // namespace tf
