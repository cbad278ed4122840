#pragma once
// A document with the shipped parameter file, a scratch folder for molecule
// files, and the report of the last read.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/ReadReport.h"
#include "model/Document.h"
#include "support/ShippedConfig.h"
#include "support/TempDir.h"
#include "support/TestRecords.h"

namespace tf::test {

class MoleculeFileTest : public ::testing::Test {
 protected:
  MoleculeFileTest();

  // Empties the document and reads the PDB file at `path` with its companions.
  void Read(const std::string& path);
  // Reads `text` as scratch.pdb; companions only if WriteCompanions ran since
  // the last read.
  void ReadText(const std::string& text);
  void WriteCompanions(const std::string& topology, const std::string& atoms);
  std::string ScratchPath(const std::string& extension) const;

  void ExpectAtom(std::size_t index, int32_t serial, std::u16string_view name,
                  std::u16string_view fragment, int32_t number, float x, float y, float z) const;
  int FindAtomBySerial(int32_t serial) const;
  std::u16string TypeName(std::size_t index) const;
  // The last Read kept every line: nothing stopped, skipped or cut at the limit.
  bool ReadCleanly() const {
    return report_.read && !report_.stopped && !report_.atomLimitReached &&
           report_.warnings.empty();
  }

  TempDir dir_;
  std::unique_ptr<Records> records_;
  ReadReport report_;  // of the last Read

 private:
  bool companionsPending_ = false;
};

// The molecule's AtomTypes counted, in table order: "C2:6 H:6".
std::string TypeSummary(const Records& records);

// Field-by-field comparison of two molecules (coordinates to 3 decimals).
void ExpectSameMolecule(const Document& expected, const Document& actual,
                        const std::string& context);

}  // namespace tf::test
