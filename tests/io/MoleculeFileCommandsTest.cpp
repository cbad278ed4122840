#include "io/MoleculeFileCommands.h"

#include <gtest/gtest.h>

#include <thread>

#include "forcefield/FixedText.h"
#include "support/MoleculeFileFixture.h"

namespace tf {
namespace {

using MoleculeFileCommandsTest = test::MoleculeFileTest;

TEST_F(MoleculeFileCommandsTest, OpenReplacesTheMoleculeAndSaveWritesItBack) {
  const std::string alanine = test::SourcePath("share/samples/alanine-dipeptide.pdb");
  Read(alanine);
  ASSERT_GT(store_->bondCount, 0u);
  auto opened = test::StoreWithShippedConfig();
  OpenMoleculeFile(*opened, FromUtf8(test::SourcePath("share/samples/benzene.pdb")));
  OpenMoleculeFile(*opened, FromUtf8(alanine));
  test::ExpectSameMolecule(*store_, *opened, "opened over benzene");

  const std::u16string copy = FromUtf8(ScratchPath(".pdb"));
  SaveMoleculeFile(*opened, copy);
  EXPECT_EQ(TextView(opened->filePath), copy);
  OpenMoleculeFile(*opened, copy);
  test::ExpectSameMolecule(*store_, *opened, "saved and opened again");
}

// A message box runs while the window thread waits for the user; holding a
// lock then would stall the worker, or deadlock it against a frame.
TEST_F(MoleculeFileCommandsTest, MessagesWaitUntilTheLocksAreFree) {
  int shown = 0;
  bool locksFree = true;
  store_->shell.showMessage = [&](std::u16string_view text, std::u16string_view caption,
                                  MessageIcon) {
    ++shown;
    EXPECT_EQ(text, u"Bad file.");
    EXPECT_EQ(caption, u"Message");
    std::thread other([&] {  // another thread, as the worker would be
      const bool model = store_->modelLock.try_lock();
      if (model) store_->modelLock.unlock();
      const bool render = store_->renderLock.try_lock();
      if (render) store_->renderLock.unlock();
      locksFree = locksFree && model && render;
    });
    other.join();
  };
  OpenMoleculeFile(*store_, FromUtf8(ScratchPath(".pdb")));  // no such file
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(locksFree);
}

}  // namespace
}  // namespace tf
