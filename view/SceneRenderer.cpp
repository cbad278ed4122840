#include "view/SceneRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "model/ModelStyle.h"
#include "view/Font.h"
#include "view/GraphicsDevice.h"
#include "view/Grid.h"
#include "view/Line.h"
#include "view/Mesh.h"
#include "view/OverlayText.h"
#include "view/Texture.h"
#include "view/ViewResources.h"

namespace tf {
namespace {

constexpr uint32_t kOverlayColour = 0x80FF0000u;
constexpr uint32_t kOutlineColour = 0xFFFFFFFFu;
// The overlay texts are formatted into buffers of this many characters.
constexpr size_t kTextBufferLength = 256;

void SetMaterialColour(Material& material, uint32_t rgb) {
  const ColorValue colour{static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
                          static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
                          static_cast<float>(rgb & 0xFF) / 255.0f, 1.0f};
  material.diffuse = colour;
  material.ambient = colour;
}

Vector3 PositionOf(const AtomAppearance& atom) {
  return {atom.x, atom.y, atom.z};
}

// `linesUp` lifts the text's rectangle by that many lines of the font.
void DrawText(const Camera& camera, ViewResources& resources, std::u16string text, uint32_t format,
              uint32_t colour, int32_t linesUp = 0) {
  if (text.size() >= kTextBufferLength) text.resize(kTextBufferLength - 1);
  PixelRect rect = camera.presentRect;
  rect.bottom -= linesUp * std::abs(resources.font->Description().height);
  resources.font->DrawText(nullptr, text.c_str(), -1, &rect, format, colour);
}

}  // namespace

Matrix BondHalfTransform(const Vector3& a, const Vector3& b, float radius, int quarter) {
  Vector3 d;
  Vec3Subtract(&d, &b, &a);
  const float length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
  Matrix scale, turn, world, shift;
  MatrixScaling(&scale, radius, radius, length * 0.5f);
  Vector3 axis{-d.y, d.x, 0.0f};
  Vector3 direction;
  Vec3Normalize(&direction, &d);
  float angle = std::acos(std::clamp(direction.z, -1.0f, 1.0f));
  if (axis.x == 0.0f && axis.y == 0.0f) {
    // Along z the cross product vanishes; any axis perpendicular to z does.
    axis = {1.0f, 0.0f, 0.0f};
    if (length == 0.0f) angle = 0.0f;
  }
  MatrixRotationAxis(&turn, &axis, angle);
  MatrixMultiply(&world, &scale, &turn);
  if (quarter == 1) {
    MatrixTranslation(&shift, a.x + d.x * 0.25f, a.y + d.y * 0.25f, a.z + d.z * 0.25f);
  } else {
    MatrixTranslation(&shift, a.x + d.x * 3.0f * 0.25f, a.y + d.y * 3.0f * 0.25f,
                      a.z + d.z * 3.0f * 0.25f);
  }
  return *MatrixMultiply(&world, &world, &shift);
}

void DrawAtomSpheres(const SceneSnapshot& scene, const Camera& camera, ViewResources& graphics,
                     float radius) {
  GraphicsDevice* device = graphics.device;
  graphics.atomMaterial.diffuse.a = 1.0f;
  graphics.atomMaterial.ambient.a = 1.0f;
  const Matrix& rotation = camera.rotation;
  for (const AtomAppearance& atom : scene.atoms) {
    Matrix shift, scale, world;
    MatrixTranslation(&shift, atom.x, atom.y, atom.z);
    const float s = radius != kAtomOwnRadius ? radius : atom.radius;
    MatrixScaling(&scale, s, s, s);
    MatrixMultiply(&world, &rotation, &scale);
    MatrixMultiply(&world, &world, &shift);
    SetMaterialColour(graphics.atomMaterial, atom.colour);
    device->SetTransform(kTsWorld, &world);
    device->SetTexture(0, atom.selected ? graphics.selectionTexture : nullptr);
    device->SetMaterial(&graphics.atomMaterial);
    graphics.sphereMesh->DrawSubset(0);
  }
}

void DrawBondCylinders(const SceneSnapshot& scene, ViewResources& graphics, float radius) {
  GraphicsDevice* device = graphics.device;
  graphics.atomMaterial.diffuse.a = 1.0f;
  graphics.atomMaterial.ambient.a = 1.0f;
  for (const Bond& bond : scene.bonds) {
    const AtomAppearance& first = scene.atoms[bond.atom1];
    const AtomAppearance& second = scene.atoms[bond.atom2];
    device->SetTexture(0, nullptr);
    const int quarters[2] = {1, 3};
    const AtomAppearance* ends[2] = {&first, &second};
    for (int half = 0; half < 2; ++half) {
      const Matrix world =
          BondHalfTransform(PositionOf(first), PositionOf(second), radius, quarters[half]);
      SetMaterialColour(graphics.atomMaterial, ends[half]->colour);
      device->SetTransform(kTsWorld, &world);
      device->SetMaterial(&graphics.atomMaterial);
      graphics.cylinderMesh->DrawSubset(0);
    }
  }
}

void DrawBondLines(const SceneSnapshot& scene, const Camera& camera, ViewResources& resources,
                   uint32_t width, float alpha) {
  Line* line = resources.line;
  line->SetWidth(static_cast<float>(width));
  line->SetPattern(kSolidPattern);
  line->Begin();
  const uint32_t a = static_cast<uint32_t>(alpha * 255.0f) << 24;
  for (const Bond& bond : scene.bonds) {
    const AtomAppearance& first = scene.atoms[bond.atom1];
    const AtomAppearance& second = scene.atoms[bond.atom2];
    const float mx = (first.x + second.x) * 0.5f;
    const float my = (first.y + second.y) * 0.5f;
    const Vector2 middle = WorldToScreen(camera, mx, my);
    const Vector2 toFirst[2] = {middle, WorldToScreen(camera, first.x, first.y)};
    line->Draw(toFirst, 2, first.colour | a);
    const Vector2 toSecond[2] = {middle, WorldToScreen(camera, second.x, second.y)};
    line->Draw(toSecond, 2, second.colour | a);
  }
  line->End();
}

void DrawLoneAtomCrosses(const SceneSnapshot& scene, const Camera& camera,
                         ViewResources& resources) {
  thread_local std::vector<uint8_t> bonded;
  bonded.assign(scene.atoms.size(), 0);
  for (const Bond& bond : scene.bonds) {
    bonded[static_cast<size_t>(bond.atom1)] = 1;
    bonded[static_cast<size_t>(bond.atom2)] = 1;
  }
  Line* line = resources.line;
  line->SetWidth(1.0f);
  line->SetPattern(kSolidPattern);
  line->Begin();
  constexpr float kHalf = kLoneAtomCrossLength / 2;
  for (size_t i = 0; i < scene.atoms.size(); ++i) {
    if (bonded[i]) continue;
    const AtomAppearance& atom = scene.atoms[i];
    const uint32_t colour = atom.colour | 0xFF000000u;
    // The line along the viewing axis is a point on the screen; two remain.
    const Vector2 across[2] = {WorldToScreen(camera, atom.x - kHalf, atom.y),
                               WorldToScreen(camera, atom.x + kHalf, atom.y)};
    line->Draw(across, 2, colour);
    const Vector2 upright[2] = {WorldToScreen(camera, atom.x, atom.y - kHalf),
                                WorldToScreen(camera, atom.x, atom.y + kHalf)};
    line->Draw(upright, 2, colour);
  }
  line->End();
}

void DrawAreaOutline(const SceneSnapshot& scene, ViewResources& resources) {
  Line* line = resources.line;
  line->SetWidth(1.0f);
  line->SetPattern(kDashedPattern);
  if (scene.outline.size() >= 2)
    line->Draw(scene.outline.data(), static_cast<uint32_t>(scene.outline.size()), kOutlineColour);
}

void DrawOverlayText(const SceneSnapshot& scene, const Camera& camera, ViewResources& resources,
                     float alpha) {
  DrawText(camera, resources,
           CountsText(scene.selectedCount, scene.atomCount, scene.bondCount, scene.measurement),
           kDtLeft | kDtTop, kOverlayColour);
  if (scene.shaping)
    DrawText(camera, resources,
             scene.minimizing ? MinimizingText(scene.energy, scene.energyChange, scene.rmsGradient)
                              : EnergyText(scene.energy, scene.energyChange, scene.stepScale),
             kDtBottom, kOverlayColour);
  const uint32_t gridColour = (static_cast<uint32_t>(alpha * 255.0f) << 24) | 0xFF0000u;
  DrawText(camera, resources, GridScaleText(resources.grid.gridStep), kDtRight | kDtBottom,
           gridColour);
  if (scene.colorByStrain)  // the line above the grid scale
    DrawText(camera, resources, StrainScaleText(scene.strainLowest, scene.strainHighest),
             kDtRight | kDtBottom, gridColour, 1);
}

void DrawFrame(const SceneSnapshot& scene, const Camera& camera, float gridStep,
               ViewResources& resources) {
  GraphicsDevice* device = resources.device;
  if (resources.grid.gridStep != gridStep) BuildGrid(resources.grid, gridStep);
  device->SetTransform(kTsView, &camera.viewMatrix);
  device->SetTransform(kTsProjection, &camera.projectionMatrix);
  device->Clear(0, nullptr, kClearTarget | kClearZBuffer, kBackgroundColour, 1.0f, 0);
  device->BeginScene();
  const StyleRadii radii = RadiiOfStyle(scene.modelStyle);
  switch (scene.modelStyle) {
    case kWireframe:
      DrawBondLines(scene, camera, resources, 1, 1.0f);
      DrawLoneAtomCrosses(scene, camera, resources);
      break;
    case kSpacefill:
      DrawAtomSpheres(scene, camera, resources, radii.sphere);
      DrawBondLines(scene, camera, resources, 5, 0.5f);
      break;
    case kSticks:
    case kBallStick:
      DrawAtomSpheres(scene, camera, resources, radii.sphere);
      DrawBondCylinders(scene, resources, radii.bond);
      break;
    default:
      break;
  }
  DrawGrid(resources.grid);
  DrawOverlayText(scene, camera, resources, 0.5f);
  if (!scene.outline.empty()) DrawAreaOutline(scene, resources);
  device->EndScene();
  const PixelRect rect = camera.presentRect;
  device->Present(&rect, &rect, nullptr, nullptr);
}

}  // namespace tf
