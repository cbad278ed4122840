#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/Document.h"
#include "model/TableLookup.h"
#include "support/TestRecords.h"
#include "view/CameraOperations.h"
#include "view/GraphicsDevice.h"
#include "view/Mesh.h"
#include "view/OverlayText.h"
#include "view/SceneRenderer.h"
#include "view/Texture.h"

namespace tf {
namespace {

using test::DrawAndTake;
using test::Records;
using test::StartGraphics;

constexpr uint32_t kCarbonColour = 0x909090;
constexpr uint32_t kOxygenColour = 0xFF0D0D;

int32_t TypeNamed(const Records& records, std::u16string_view name) {
  const int32_t type = FindAtomTypeByName(records.tables, name);
  EXPECT_GE(type, 0);
  return type;
}

uint32_t Put(Records& records, Vector3 p, std::u16string_view type, bool selected = false) {
  const uint32_t i = records.document.atomCount++;
  records.document.atoms[i] = Atom{};
  records.document.atoms[i].x = p.x;
  records.document.atoms[i].y = p.y;
  records.document.atoms[i].z = p.z;
  records.document.atoms[i].atomType = TypeNamed(records, type);
  if (selected) SelectAtom(records.document, i);
  return i;
}

// A carbon at (1, 2, 3) bonded to an oxygen at (3, 2, 1).
void PutCarbonylPair(Records& records) {
  Put(records, {1, 2, 3}, u"C3");
  Put(records, {3, 2, 1}, u"O2");
  records.document.bonds[records.document.bondCount++] = Bond{0, 1};
}

std::vector<const MeshItem*> MeshesOf(const Frame& frame, const Mesh* mesh) {
  std::vector<const MeshItem*> found;
  for (const MeshItem* item : frame.ItemsOf<MeshItem>())
    if (item->geometry == mesh->Geometry()) found.push_back(item);
  return found;
}

Vector3 Transform(const Matrix& m, Vector3 p) {
  Vec3TransformCoord(&p, &p, &m);
  return p;
}

void ExpectNear(Vector3 actual, Vector3 expected, const char* what) {
  EXPECT_NEAR(actual.x, expected.x, 1e-4f) << what;
  EXPECT_NEAR(actual.y, expected.y, 1e-4f) << what;
  EXPECT_NEAR(actual.z, expected.z, 1e-4f) << what;
}

uint32_t ColourOf(const Material& material) {
  const auto channel = [](float c) { return static_cast<uint32_t>(std::lround(c * 255.0f)); };
  return channel(material.diffuse.r) << 16 | channel(material.diffuse.g) << 8 |
         channel(material.diffuse.b);
}

const TextItem* TextWithFormat(const Frame& frame, uint32_t format) {
  for (const TextItem* text : frame.ItemsOf<TextItem>())
    if (text->format == format) return text;
  return nullptr;
}

TEST(SceneRenderer, EmptyDocumentShowsGridStripsZeroCountsAndGridScale) {
  auto records = StartGraphics(700, 600, 24);
  auto frame = DrawAndTake(*records);
  ASSERT_NE(frame, nullptr);
  const auto clears = frame->ItemsOf<ClearItem>();
  ASSERT_EQ(clears.size(), 1u);
  EXPECT_EQ(clears[0]->color, 0x00202020u);
  EXPECT_EQ(clears[0]->flags, kClearTarget | kClearZBuffer);
  EXPECT_EQ(clears[0]->z, 1.0f);

  const Grid& grid = records->resources.grid;
  const auto meshes = frame->ItemsOf<MeshItem>();
  ASSERT_EQ(meshes.size(), 3u);
  EXPECT_EQ(meshes[0]->geometry, grid.planeMesh->Geometry());
  EXPECT_EQ(meshes[0]->texture, grid.gridTexture->Image());
  EXPECT_EQ(meshes[1]->geometry, grid.xAxisMesh->Geometry());
  EXPECT_EQ(meshes[2]->geometry, grid.yAxisMesh->Geometry());
  EXPECT_EQ(meshes[1]->texture, nullptr);
  EXPECT_EQ(meshes[1]->geometry->Diffuse(0), 0xFFFF0000u);
  EXPECT_EQ(meshes[2]->geometry->Diffuse(0), 0xFF00FF00u);
  EXPECT_TRUE(frame->ItemsOf<LineItem>().empty());

  const auto texts = frame->ItemsOf<TextItem>();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->text, u"Number of selected atoms: 0\nNumber of atoms: 0\nNumber of bonds: 0");
  EXPECT_EQ(texts[0]->format, kDtLeft | kDtTop);
  EXPECT_EQ(texts[0]->color, 0x80FF0000u);
  EXPECT_EQ(texts[1]->text, u"Grid Scale: 1/2 A");
  EXPECT_EQ(texts[1]->format, kDtRight | kDtBottom);
  EXPECT_EQ(texts[1]->color, 0x7FFF0000u);
  for (const TextItem* text : texts) {
    EXPECT_EQ(text->rect.top, 24);
    EXPECT_EQ(text->rect.bottom, 600);
    EXPECT_EQ(text->font.height, 30);
    EXPECT_EQ(text->font.faceName, u"Arial");
  }
  ASSERT_TRUE(frame->sourceRect && frame->destRect);
  EXPECT_EQ(frame->sourceRect->top, 24);
  EXPECT_EQ(frame->destRect->right, 700);
}

TEST(SceneRenderer, GridScaleTextFollowsTheZoom) {
  auto records = StartGraphics();
  const struct {
    int32_t steps;
    const char16_t* text;
  } cases[] = {{-10, u"Grid Scale: 1 A"}, {-8, u"Grid Scale: 5 A"}, {+50, u"Grid Scale: 1/5 A"}};
  for (const auto& c : cases) {
    Zoom(records->view, records->resources, c.steps);
    auto frame = DrawAndTake(*records);
    ASSERT_NE(frame, nullptr);
    const TextItem* grid = TextWithFormat(*frame, kDtRight | kDtBottom);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->text, c.text) << "zoom " << records->view.camera.zoom;
  }
}

TEST(SceneRenderer, EachStyleDrawsItsSpheresCylindersAndLines) {
  auto records = StartGraphics();
  PutCarbonylPair(*records);
  const ViewResources& g = records->resources;
  const struct {
    int32_t style;
    size_t spheres;
    float sphereScale;  // 0: the chemical radius
    size_t cylinders;
    float cylinderRadius;
    size_t lines;
    float lineWidth;
    uint32_t lineAlpha;
  } cases[] = {{kWireframe, 0, 0, 0, 0, 2, 1, 255},
               {kSpacefill, 2, 0, 0, 0, 2, 5, 127},
               {kSticks, 2, 0.3f, 2, 0.3f, 0, 0, 0},
               {kBallStick, 2, 0.4f, 2, 0.1f, 0, 0, 0},
               {7, 0, 0, 0, 0, 0, 0, 0}};
  for (const auto& c : cases) {
    records->view.modelStyle = c.style;
    auto frame = DrawAndTake(*records);
    ASSERT_NE(frame, nullptr);
    const auto spheres = MeshesOf(*frame, g.sphereMesh);
    const auto cylinders = MeshesOf(*frame, g.cylinderMesh);
    const auto lines = frame->ItemsOf<LineItem>();
    ASSERT_EQ(spheres.size(), c.spheres) << "style " << c.style;
    ASSERT_EQ(cylinders.size(), c.cylinders) << "style " << c.style;
    ASSERT_EQ(lines.size(), c.lines) << "style " << c.style;
    for (size_t i = 0; i < spheres.size(); ++i) {
      const float expected = c.sphereScale != 0 ? c.sphereScale : (i == 0 ? 1.70f : 1.52f);
      EXPECT_NEAR(spheres[i]->world.m[0][0], expected, 1e-6f) << "style " << c.style;
      EXPECT_EQ(ColourOf(spheres[i]->material), i == 0 ? kCarbonColour : kOxygenColour);
      EXPECT_EQ(spheres[i]->material.ambient.r, spheres[i]->material.diffuse.r);
      EXPECT_EQ(spheres[i]->material.diffuse.a, 1.0f);
    }
    for (const MeshItem* cylinder : cylinders) {
      const Vector3 rim = Transform(cylinder->world, {1, 0, 0});
      const Vector3 axis = Transform(cylinder->world, {0, 0, 0});
      Vector3 d;
      EXPECT_NEAR(Vec3Dot(Vec3Subtract(&d, &rim, &axis), &d), c.cylinderRadius * c.cylinderRadius,
                  1e-5f);
    }
    for (const LineItem* line : lines) {
      EXPECT_EQ(line->width, c.lineWidth);
      EXPECT_EQ(line->color >> 24, c.lineAlpha);
      EXPECT_EQ(line->pattern, kSolidPattern);
    }
    if (c.style == kSpacefill) {  // lines come after the spheres
      const auto& items = frame->items;
      const auto firstLine = std::find_if(items.begin(), items.end(), [](const DrawItem& item) {
        return std::holds_alternative<LineItem>(item);
      });
      const auto firstSphere = std::find_if(items.begin(), items.end(), [&](const DrawItem& item) {
        const MeshItem* mesh = std::get_if<MeshItem>(&item);
        return mesh && mesh->geometry == g.sphereMesh->Geometry();
      });
      EXPECT_LT(firstSphere - items.begin(), firstLine - items.begin());
    }
  }
}

TEST(SceneRenderer, BondHalvesMeetAtTheMidpointInTheColoursOfTheirEnds) {
  auto records = StartGraphics();
  PutCarbonylPair(*records);
  auto frame = DrawAndTake(*records);
  ASSERT_NE(frame, nullptr);
  const auto halves = MeshesOf(*frame, records->resources.cylinderMesh);
  ASSERT_EQ(halves.size(), 2u);
  ExpectNear(Transform(halves[0]->world, {0, 0, -0.5f}), {1, 2, 3}, "first half starts at a");
  ExpectNear(Transform(halves[0]->world, {0, 0, 0.5f}), {2, 2, 2}, "first half ends midway");
  ExpectNear(Transform(halves[1]->world, {0, 0, -0.5f}), {2, 2, 2}, "second half starts midway");
  ExpectNear(Transform(halves[1]->world, {0, 0, 0.5f}), {3, 2, 1}, "second half ends at b");
  EXPECT_EQ(ColourOf(halves[0]->material), kCarbonColour);
  EXPECT_EQ(ColourOf(halves[1]->material), kOxygenColour);
  EXPECT_EQ(halves[0]->texture, nullptr);

  records->view.modelStyle = kWireframe;
  frame = DrawAndTake(*records);
  const auto lines = frame->ItemsOf<LineItem>();
  ASSERT_EQ(lines.size(), 2u);
  const Vector2 middle = WorldToScreen(records->view.camera, 2, 2);
  const Vector2 a = WorldToScreen(records->view.camera, 1, 2);
  const Vector2 b = WorldToScreen(records->view.camera, 3, 2);
  EXPECT_EQ(lines[0]->points[0].x, middle.x);
  EXPECT_EQ(lines[0]->points[1].x, a.x);
  EXPECT_EQ(lines[1]->points[1].x, b.x);
  EXPECT_EQ(lines[0]->color & 0xFFFFFF, kCarbonColour);
  EXPECT_EQ(lines[1]->color & 0xFFFFFF, kOxygenColour);
}

TEST(SceneRenderer, BondsAlongTheZAxisPointTheRightWayInBothDirections) {
  for (float dz : {+2.0f, -2.0f}) {
    const Vector3 a{1, 1, 0}, b{1, 1, dz};
    const Matrix second = BondHalfTransform(a, b, 0.1f, 3);
    ExpectNear(Transform(second, {0, 0, 0.5f}), b, "bond end");
    ExpectNear(Transform(second, {0, 0, -0.5f}), {1, 1, dz / 2}, "midpoint");
    const Vector3 rim = Transform(second, {1, 0, 0});
    EXPECT_NEAR(std::hypot(rim.x - 1, rim.y - 1), 0.1f, 1e-5f);
    // A turn, not a mirror image: a mirrored cylinder would show its inside.
    const auto& m = second.m;
    const float determinant = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                              m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                              m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    EXPECT_GT(determinant, 0.0f) << "bond along z " << dz;
  }
  const Matrix collapsed = BondHalfTransform({1, 1, 1}, {1, 1, 1}, 0.1f, 1);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_TRUE(std::isfinite(collapsed.m[r][c]));
}

TEST(SceneRenderer, SelectionTextureMarksSelectedAtomsAndTurnsWithTheModel) {
  auto records = StartGraphics();
  Put(*records, {0, 0, 0}, u"C3", true);
  Put(*records, {2, 0, 0}, u"C3");
  RotateModel(records->view, records->resources, records->document, 30, 20);
  auto frame = DrawAndTake(*records);
  ASSERT_NE(frame, nullptr);
  const auto spheres = MeshesOf(*frame, records->resources.sphereMesh);
  ASSERT_EQ(spheres.size(), 2u);
  EXPECT_EQ(spheres[0]->texture, records->resources.selectionTexture->Image());
  EXPECT_EQ(spheres[1]->texture, nullptr);
  const Matrix& turn = records->view.camera.rotation;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(spheres[0]->world.m[r][c], turn.m[r][c] * 0.4f, 1e-6f);
  ExpectNear(
      Transform(spheres[1]->world, {0, 0, 0}),
      {records->document.atoms[1].x, records->document.atoms[1].y, records->document.atoms[1].z},
      "sphere centre");
}

TEST(SceneRenderer, OutlineIsDrawnOnlyDuringAGestureClosedForRectanglesOpenForFreeForm) {
  auto records = StartGraphics();
  records->view.selectionTool = kRectangularTool;
  records->view.rectStart = {10, 20};
  records->view.rectEnd = {110, 70};
  EXPECT_TRUE(DrawAndTake(*records)->ItemsOf<LineItem>().empty());

  records->view.areaSelecting = 1;
  auto lines = DrawAndTake(*records)->ItemsOf<LineItem>();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->pattern, kDashedPattern);
  EXPECT_EQ(lines[0]->width, 1.0f);
  EXPECT_EQ(lines[0]->color, 0xFFFFFFFFu);
  ASSERT_EQ(lines[0]->points.size(), 5u);
  EXPECT_EQ(lines[0]->points[2].x, 110);
  EXPECT_EQ(lines[0]->points[2].y, 70);
  EXPECT_EQ(lines[0]->points[4].x, lines[0]->points[0].x);
  EXPECT_EQ(lines[0]->points[4].y, lines[0]->points[0].y);

  records->view.selectionTool = kFreeformTool;
  records->view.outline[0] = {5, 5};
  records->view.outline[1] = {50, 8};
  records->view.outline[2] = {40, 60};
  records->view.outlineCount = 3;
  lines = DrawAndTake(*records)->ItemsOf<LineItem>();
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0]->points.size(), 3u);
  EXPECT_EQ(lines[0]->points[2].y, 60);
}

TEST(SceneRenderer, EnergyBlockShowsOnlyWhileShaping) {
  auto records = StartGraphics();
  records->shaping.energy = 1.5f;
  records->shaping.energyChange = -0.25f;
  records->shaping.stepScale = 0.5f;
  EXPECT_EQ(TextWithFormat(*DrawAndTake(*records), kDtBottom), nullptr);
  records->shaping.shapingActive = 1;
  const TextItem* block = TextWithFormat(*DrawAndTake(*records), kDtBottom);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->text, u"Energy = 1.500000\ndE = -0.250000\nMax fluctuation = 0.500000");
  EXPECT_EQ(block->color, 0x80FF0000u);
  records->shaping.shapingActive = 0;
}

TEST(SceneRenderer, CountsEndWithTheMeasurementOfTheSelectedAtomsWhereTheyAreNow) {
  auto records = StartGraphics();
  Document& document = records->document;
  const auto counts = [&] {
    return TextWithFormat(*DrawAndTake(*records), kDtLeft | kDtTop)->text;
  };
  Put(*records, {0, 0, 0}, u"C3", true);
  EXPECT_EQ(counts(), u"Number of selected atoms: 1\nNumber of atoms: 1\nNumber of bonds: 0");
  Put(*records, {1.5f, 0, 0}, u"C3", true);
  EXPECT_EQ(counts(),
            u"Number of selected atoms: 2\nNumber of atoms: 2\nNumber of bonds: 0\n"
            u"Distance = 1.500 A");
  document.atoms[1].x = 2.25f;  // as a drag or a shaping step moves it
  EXPECT_TRUE(counts().ends_with(u"\nDistance = 2.250 A"));
  Put(*records, {2.25f, 2.25f, 0}, u"C3", true);
  EXPECT_TRUE(counts().ends_with(u"\nAngle = 90.0 deg"));
  const uint32_t last = Put(*records, {2.25f, 2.25f, 1}, u"C3", true);
  EXPECT_TRUE(counts().ends_with(u"bonds: 0\nTorsion = 90.0 deg"));
  document.atoms[last].z = -1;
  EXPECT_TRUE(counts().ends_with(u"bonds: 0\nTorsion = -90.0 deg"));
  Put(*records, {5, 5, 5}, u"C3", true);
  EXPECT_TRUE(counts().ends_with(u"Number of bonds: 0")) << "five atoms";
}

TEST(SceneRenderer, MeasurementTextsRoundWithoutMinusZeroAndShowTransAs180) {
  const auto text = [](uint32_t atoms, double value) {
    Measurement measurement;
    measurement.atomCount = atoms;
    measurement.value = value;
    return MeasurementText(measurement);
  };
  EXPECT_EQ(text(2, 1.23456), u"Distance = 1.235 A");
  EXPECT_EQ(text(3, 109.4712), u"Angle = 109.5 deg");
  EXPECT_EQ(text(4, -0.04), u"Torsion = 0.0 deg");
  EXPECT_EQ(text(4, -179.94), u"Torsion = -179.9 deg");
  EXPECT_EQ(text(4, -179.96), u"Torsion = 180.0 deg");
  EXPECT_EQ(text(4, -180.0), u"Torsion = 180.0 deg");
  EXPECT_EQ(text(4, 180.0), u"Torsion = 180.0 deg");
  EXPECT_EQ(text(1, 2.0), u"");
  EXPECT_EQ(text(0, 2.0), u"");
}

}  // namespace
}  // namespace tf
