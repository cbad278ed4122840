#pragma once
// A store with the shipped parameter file, a scratch folder for molecule
// files, and the messages the core showed.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/MoleculeStore.h"
#include "support/ShippedConfig.h"
#include "support/TempDir.h"

namespace tf::test {

struct ShownMessage {
  std::u16string text;
  std::u16string caption;
  MessageIcon icon;
};

class MoleculeFileTest : public ::testing::Test {
 protected:
  MoleculeFileTest();

  // Empties the store and reads the PDB file at `path` with its companions.
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

  TempDir dir_;
  std::unique_ptr<MoleculeStore> store_;
  std::vector<ShownMessage> messages_;

 private:
  bool companionsPending_ = false;
};

// Field-by-field comparison of two molecules (coordinates to 3 decimals).
void ExpectSameMolecule(const MoleculeStore& expected, const MoleculeStore& actual,
                        const std::string& context);

}  // namespace tf::test
