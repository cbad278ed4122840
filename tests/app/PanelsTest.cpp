#include <gtest/gtest.h>

#include <limits>

#include "app/AppFixture.h"
#include "app/AtomInfoPanel.h"
#include "app/ShapingPanel.h"
#include "base/FixedText.h"
#include "model/AtomTypeEditing.h"
#include "model/BondEditing.h"
#include "support/TestRecords.h"

namespace tf::test {
namespace {

std::u16string TypeNameOf(const Records& records, uint32_t atom) {
  return std::u16string(
      TextView(records.tables.atomTypes[records.document.atoms[atom].atomType].name));
}

TEST_F(AppTest, OneAtomIsShownAndReadInTheFilesFrameWithTheNumberRules) {
  const uint32_t atom = AddCarbon(1, 2);
  Atom& record = records_->document.atoms[atom];
  record.charge = 0.05f;
  record.serial = 7;
  records_->document.fileOrigin = {10, -20, 0.5f};
  Select({atom});
  AtomInfoTexts texts;
  ASSERT_EQ(FillAtomInfo(records_->document, records_->tables, texts), 1);
  EXPECT_EQ(texts.id, u"7");
  EXPECT_EQ(texts.charge, u"0.0500");
  EXPECT_EQ(texts.x + u" " + texts.y + u" " + texts.z, u"11.000 -18.000 0.500");
  EXPECT_EQ(texts.type, u"C3");

  AtomInfoTexts shown = texts;
  texts = {u"-0042x",  u"ABCDEF",      u"", u" 12.5abc", u"abc", u"+1e1e",
           u"GLYCINE", u"99999999999", u"*"};
  ApplyAtomInfo(records_->document, records_->tables, texts, shown);
  EXPECT_EQ(record.serial, -42);
  EXPECT_EQ(TextView(record.name), u"ABCD") << "the type \"*\" keeps the typed name";
  EXPECT_FLOAT_EQ(record.charge, 0.05f) << "an empty text keeps the charge";
  EXPECT_FLOAT_EQ(record.x, 2.5f);
  EXPECT_FLOAT_EQ(record.y, 2.0f) << "no number in the text";
  EXPECT_FLOAT_EQ(record.z, 9.5f);
  EXPECT_EQ(TextView(record.fragmentName), u"GLYC");
  EXPECT_EQ(record.fragmentNumber, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(TypeNameOf(*records_, atom), u"C3");

  FillAtomInfo(records_->document, records_->tables, shown);
  texts = shown;
  texts.name = u"Q";
  texts.type = u"C2 (C,sp2,Carbon_sp2)";
  ApplyAtomInfo(records_->document, records_->tables, texts, shown);
  EXPECT_EQ(TypeNameOf(*records_, atom), u"C2");
  EXPECT_EQ(TextView(record.name), u"C") << "the new type names the atom";
}

// Retyping renames the atom and drops bonds its new type does not allow, and
// the shown texts round coordinates: Apply must touch neither unless edited.
TEST_F(AppTest, ApplyWritesOnlyTheFieldsTheUserEdited) {
  const uint32_t a = AddCarbon(1.23456f, 0), b = AddCarbon(2.7f, 0);
  ASSERT_EQ(AddBond(records_->document, records_->tables, a, b), 1);
  SetText(records_->document.atoms[a].name, u"CA");
  Select({a});
  const std::vector<std::u16string> entries = AtomTypeListEntries(records_->tables);
  AtomInfoView view = RefreshAtomInfo(records_->document, records_->tables, entries);
  AtomInfoTexts typed = view.texts;
  typed.charge = u"0.25";
  typed.type = entries[view.typeEntry];
  PressAtomInfoApply(app_, typed, view.texts);
  const Atom& atom = records_->document.atoms[a];
  EXPECT_EQ(TextView(atom.name), u"CA");
  EXPECT_FLOAT_EQ(atom.charge, 0.25f);
  EXPECT_EQ(atom.x, 1.23456f) << "not rounded to the shown 1.235";
  EXPECT_EQ(records_->document.bondCount, 1u);

  Select({a, b});
  view = RefreshAtomInfo(records_->document, records_->tables, entries);
  ASSERT_EQ(view.texts.type, u"C3");
  typed = view.texts;
  typed.type = u"C2 (C,sp2,Carbon_sp2)";
  SetAtomType(records_->document, records_->tables, b, u"C2");
  SetText(records_->document.atoms[b].name, u"CB");
  ApplyAtomInfo(records_->document, records_->tables, typed, view.texts);
  EXPECT_EQ(TextView(records_->document.atoms[a].name), u"C") << "retyped";
  EXPECT_EQ(TextView(records_->document.atoms[b].name), u"CB") << "already of the chosen type";
}

TEST_F(AppTest, SeveralAtomsShowStarsWhereTheyDifferAndApplyKeepsThoseFields) {
  const uint32_t a = AddCarbon(0, 0), b = AddCarbon(3, 0);
  SetAtomType(records_->document, records_->tables, b, u"C2");
  SetText(records_->document.atoms[b].name, u"CA");
  records_->document.atoms[a].charge = 0.1f;
  records_->document.atoms[b].charge = 0.2f;
  Select({a, b});
  const std::vector<std::u16string> entries = AtomTypeListEntries(records_->tables);
  AtomInfoView view = RefreshAtomInfo(records_->document, records_->tables, entries);
  EXPECT_EQ(view.selectedCount, 2);
  EXPECT_EQ(view.texts.name + view.texts.charge + view.texts.type, u"***");
  EXPECT_EQ(view.texts.id + view.texts.x + view.texts.y + view.texts.z, u"");
  EXPECT_FALSE(view.idAndCoordinatesEnabled);
  ASSERT_GE(view.typeEntry, 0);
  EXPECT_EQ(entries[view.typeEntry], u"*");

  AtomInfoTexts typed = view.texts;
  typed.fragmentNumber = u"12";
  PressAtomInfoApply(app_, typed, view.texts);
  EXPECT_EQ(TextView(records_->document.atoms[a].name), u"C");
  EXPECT_EQ(TextView(records_->document.atoms[b].name), u"CA");
  EXPECT_EQ(TypeNameOf(*records_, a) + TypeNameOf(*records_, b), u"C3C2");
  EXPECT_FLOAT_EQ(records_->document.atoms[b].charge, 0.2f);
  EXPECT_EQ(records_->document.atoms[a].fragmentNumber, 12);
  EXPECT_EQ(records_->document.atoms[b].fragmentNumber, 12);
  EXPECT_EQ(desktop_.refreshes, 1);
  EXPECT_EQ(desktop_.TakeLog(), std::vector<std::string>{"FocusMainWindow"});

  SetAtomType(records_->document, records_->tables, b, u"C3");
  view = RefreshAtomInfo(records_->document, records_->tables, entries);
  EXPECT_EQ(view.texts.type + view.texts.charge, u"C3*");
  EXPECT_EQ(entries[view.typeEntry], u"C3 (C,sp3,Carbon_sp3)");
  typed = view.texts;
  typed.name = u"N";
  ApplyAtomInfo(records_->document, records_->tables, typed, view.texts);
  EXPECT_EQ(TextView(records_->document.atoms[b].name), u"N") << "the common type is no retyping";
  EXPECT_FLOAT_EQ(records_->document.atoms[a].charge, 0.1f);
}

TEST(AtomTypeListTest, EntriesAreSortedIgnoringCaseAfterTheMixedEntry) {
  auto tables = std::make_unique<ForceFieldTables>();
  FillTestTables(*tables);
  SetText(tables->atomTypes[kH].name, u"h");
  SetText(tables->atomTypes[kC3].description, u"Carbon_sp3");
  EXPECT_EQ(
      AtomTypeListEntries(*tables),
      (std::vector<std::u16string>{u"*", u"C1 (C,sp1,)", u"C2 (C,sp2,)", u"C3 (C,sp3,Carbon_sp3)",
                                   u"h (H,sp0,)", u"N3 (N,sp3,)", u"O2 (O,sp2,)"}));
}

TEST_F(AppTest, TheBondButtonNamesWhatItWillDoForTheSelectedPair) {
  const uint32_t a = AddCarbon(0, 0), b = AddCarbon(1.5f, 0), c = AddCarbon(3, 0);
  ASSERT_EQ(AddBond(records_->document, records_->tables, a, b), 1);
  Select({a, b});
  const std::vector<std::u16string> entries = AtomTypeListEntries(records_->tables);
  AtomInfoView view = RefreshAtomInfo(records_->document, records_->tables, entries);
  EXPECT_TRUE(view.bondButtonEnabled);
  EXPECT_EQ(view.bondButtonLabel, u"Delete Bond");
  PressBondButton(app_);
  EXPECT_EQ(records_->document.bondCount, 0u);
  EXPECT_EQ(desktop_.bondLabel, u"Add Bond");
  EXPECT_EQ(RefreshAtomInfo(records_->document, records_->tables, entries).bondButtonLabel,
            u"Add Bond");
  PressBondButton(app_);
  EXPECT_EQ(records_->document.bondCount, 1u);
  EXPECT_EQ(desktop_.bondLabel, u"Delete Bond");

  Select({a, b, c});
  view = RefreshAtomInfo(records_->document, records_->tables, entries);
  EXPECT_FALSE(view.bondButtonEnabled || view.idAndCoordinatesEnabled);
  Select({});
  view = RefreshAtomInfo(records_->document, records_->tables, entries);
  EXPECT_FALSE(view.bondButtonEnabled);
  EXPECT_TRUE(view.idAndCoordinatesEnabled);
  EXPECT_EQ(view.typeEntry, -1) << "no atom: the type list keeps its choice";
}

TEST_F(AppTest, ShapingTermsChangeOnlyWhenApplyIsPressed) {
  ShapingChecks checks = CreateShapingPanel(records_->shaping);
  EXPECT_EQ(checks, (ShapingChecks{true, true, true, true, true, true}));
  checks[4] = checks[5] = false;  // Van der Waals and Coulomb
  Send(CommandMessage(kCmdStartShaping));
  EXPECT_EQ(records_->shaping.shapingTerms, kAllTerms);
  Send(CommandMessage(kCmdStopShaping));
  ApplyShapingPanel(records_->shaping, checks);
  EXPECT_EQ(records_->shaping.requestedShapingTerms, 0x0Fu);
  Send(CommandMessage(kCmdStartShaping));
  EXPECT_EQ(records_->shaping.shapingTerms, 0x0Fu);
  Send(CommandMessage(kCmdStopShaping));
}

}  // namespace
}  // namespace tf::test
