#include "io/MoleculeFileCommands.h"

#include <gtest/gtest.h>

#include "base/FixedText.h"
#include "support/MoleculeFileFixture.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

using MoleculeFileCommandsTest = test::MoleculeFileTest;

TEST_F(MoleculeFileCommandsTest, OpenReplacesTheMoleculeAndSaveWritesItBack) {
  const std::string alanine = test::SourcePath("share/samples/alanine-dipeptide.pdb");
  Read(alanine);
  ASSERT_GT(records_->document.bondCount, 0u);
  auto opened = test::RecordsWithShippedConfig();
  OpenMoleculeFile(opened->document, opened->tables,
                   FromUtf8(test::SourcePath("share/samples/benzene.pdb")));
  OpenMoleculeFile(opened->document, opened->tables, FromUtf8(alanine));
  test::ExpectSameMolecule(records_->document, opened->document, "opened over benzene");

  const std::u16string copy = FromUtf8(ScratchPath(".pdb"));
  SaveMoleculeFile(opened->document, opened->tables, copy);
  EXPECT_EQ(TextView(opened->document.filePath), copy);
  OpenMoleculeFile(opened->document, opened->tables, copy);
  test::ExpectSameMolecule(records_->document, opened->document, "saved and opened again");
}

TEST_F(MoleculeFileCommandsTest, AnOpenThatCannotReadItsFileKeepsTheDocument) {
  Read(test::SourcePath("share/samples/benzene.pdb"));
  const std::u16string path(TextView(records_->document.filePath));
  const ReadReport report =
      OpenMoleculeFile(records_->document, records_->tables, FromUtf8(ScratchPath(".pdb")));
  EXPECT_FALSE(report.read);
  ASSERT_TRUE(report.failure);
  EXPECT_EQ(report.failure->reason, "cannot be opened");
  EXPECT_EQ(records_->document.atomCount, 12u);
  EXPECT_EQ(TextView(records_->document.filePath), path);
}

}  // namespace
}  // namespace tf
