#include "io/openbabel/Hydrogens.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/FixedText.h"
#include "model/TableLookup.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

class HydrogensTest : public ::testing::Test {
 protected:
  int32_t Type(std::u16string_view name) const {
    const int32_t type = FindAtomTypeByName(records_->tables, name);
    EXPECT_GE(type, 0) << ToUtf8(name);
    return type;
  }
  const Atom& At(uint32_t i) const { return records_->document.atoms[i]; }
  double Distance(uint32_t a, uint32_t b) const {
    return std::hypot(At(a).x - At(b).x, At(a).y - At(b).y, At(a).z - At(b).z);
  }
  double AngleDegrees(uint32_t end1, uint32_t centre, uint32_t end2) const {
    const double ux = At(end1).x - At(centre).x, uy = At(end1).y - At(centre).y,
                 uz = At(end1).z - At(centre).z;
    const double vx = At(end2).x - At(centre).x, vy = At(end2).y - At(centre).y,
                 vz = At(end2).z - At(centre).z;
    return std::acos((ux * vx + uy * vy + uz * vz) / Distance(end1, centre) /
                     Distance(end2, centre)) *
           180 / M_PI;
  }
  // Distance of atom i from the plane through atoms a, b, c.
  double OutOfPlane(uint32_t i, uint32_t a, uint32_t b, uint32_t c) const {
    const double ux = At(b).x - At(a).x, uy = At(b).y - At(a).y, uz = At(b).z - At(a).z;
    const double vx = At(c).x - At(a).x, vy = At(c).y - At(a).y, vz = At(c).z - At(a).z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double length = std::hypot(nx, ny, nz);
    return std::abs(nx * (At(i).x - At(a).x) + ny * (At(i).y - At(a).y) +
                    nz * (At(i).z - At(a).z)) /
           length;
  }

  std::unique_ptr<test::Records> records_ = test::RecordsWithShippedConfig();
};

TEST_F(HydrogensTest, LoneAtomsGetTheirHydrogensAtTheirDistanceAndAngles) {
  test::PutAtom(records_->document, 0, 0, 0, Type(u"C3"));
  test::PutAtom(records_->document, 10, 0, 0, Type(u"O3"));
  const AddedHydrogens added = AddHydrogens(records_->document, records_->tables);
  EXPECT_EQ(added.added, 6u);
  EXPECT_EQ(added.notAdded, 0u);
  ASSERT_EQ(records_->document.atomCount, 8u);
  ASSERT_EQ(records_->document.bondCount, 6u);
  for (uint32_t h = 2; h < 6; ++h) {
    EXPECT_EQ(records_->document.bonds[h - 2].atom1, 0);
    EXPECT_EQ(At(h).atomType, Type(u"H"));
    EXPECT_NEAR(Distance(0, h), 1.09, 1e-5);
    for (uint32_t other = h + 1; other < 6; ++other)
      EXPECT_NEAR(AngleDegrees(h, 0, other), 109.47, 0.05);
  }
  EXPECT_NEAR(Distance(1, 6), 0.96, 1e-5);
  EXPECT_NEAR(AngleDegrees(6, 1, 7), 109.47, 0.05);
  EXPECT_EQ(TextView(At(2).name), u"H1");
  EXPECT_EQ(TextView(At(7).name), u"H6");
}

TEST_F(HydrogensTest, HydrogensOfADoubleBondLieInItsPlane) {
  // Propene's heavy atoms: CH2=CH-CH3.
  test::PutAtom(records_->document, 0, 0, 0, Type(u"C2"));
  test::PutAtom(records_->document, 1.34f, 0, 0, Type(u"C2"));
  test::PutAtom(records_->document, 1.34f + 0.75f, 1.299f, 0, Type(u"C3"));
  test::PutBond(records_->document, 0, 1);
  test::PutBond(records_->document, 1, 2);
  EXPECT_EQ(AddHydrogens(records_->document, records_->tables).added, 6u);
  ASSERT_EQ(records_->document.atomCount, 9u);
  for (uint32_t h = 3; h < 6; ++h) {  // the sp2 carbons' hydrogens come first
    EXPECT_NEAR(OutOfPlane(h, 0, 1, 2), 0, 1e-4) << h;
    const uint32_t carbon = static_cast<uint32_t>(records_->document.bonds[h - 1].atom1);
    EXPECT_NEAR(Distance(carbon, h), 1.08, 1e-5);
    EXPECT_NEAR(AngleDegrees(carbon == 0 ? 1 : 0, carbon, h), 120, 0.05);
  }
}

TEST_F(HydrogensTest, NamesFollowTheHighestNumberAndResidue) {
  test::PutAtom(records_->document, 0, 0, 0, Type(u"C3"));
  const uint32_t h = test::PutAtom(records_->document, 1.09f, 0, 0, Type(u"H"));
  SetText(records_->document.atoms[h].name, std::string_view("H7"));
  SetText(records_->document.atoms[0].fragmentName, std::string_view("MET"));
  records_->document.atoms[0].fragmentNumber = 4;
  test::PutBond(records_->document, 0, 1);
  EXPECT_EQ(AddHydrogens(records_->document, records_->tables).added, 3u);
  EXPECT_EQ(TextView(At(2).name), u"H8");
  EXPECT_EQ(TextView(At(4).name), u"H10");
  EXPECT_EQ(TextView(At(4).fragmentName), u"MET");
  EXPECT_EQ(At(4).fragmentNumber, 4);
  EXPECT_EQ(AddHydrogens(records_->document, records_->tables).added, 0u) << "nothing lacks";
}

TEST_F(HydrogensTest, AFullDocumentCountsWhatItCouldNotTake) {
  const int32_t unknown = Type(u"X");
  for (uint32_t i = 0; i + 2 < kMaxAtoms; ++i)
    test::PutAtom(records_->document, static_cast<float>(i % 100) * 4,
                  static_cast<float>(i / 100) * 4, 50, unknown);
  test::PutAtom(records_->document, 0, 0, 0, Type(u"C3"));
  const AddedHydrogens added = AddHydrogens(records_->document, records_->tables);
  EXPECT_EQ(added.added, 1u);
  EXPECT_EQ(added.notAdded, 3u);
  EXPECT_EQ(records_->document.atomCount, kMaxAtoms);
  EXPECT_EQ(DescribeAddedHydrogens(added),
            "1 hydrogen was added.\n3 could not be added: the molecule holds at most 7000 atoms "
            "and 1000 bonds.");
}

}  // namespace
}  // namespace tf
