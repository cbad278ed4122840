#pragma once
// Reads the parameter file (config.ini) into the force-field tables.

#include <string_view>

#include "base/ReadReport.h"
#include "forcefield/ForceFieldTables.h"

namespace tf {

// On failure (report.read false, with the file and, for a record that cannot
// be read, its line) the tables may be partly filled and must not be used.
// The file is 8-bit text read as whitespace-separated words.
ReadReport LoadParameterFile(ForceFieldTables& tables, const char* path = "config.ini");

// Fills idealAngle by hybridization: 0, pi, 2 pi / 3 and the tetrahedral
// angle (the loader does this after reading the file).
void SetIdealAngles(ForceFieldTables& tables);

// The same from the file's bytes already in memory; `file` names it in the report.
ReadReport LoadParameterText(ForceFieldTables& tables, std::string_view text,
                             std::string_view file = "config.ini");

}  // namespace tf
