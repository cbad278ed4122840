#pragma once
// Draws one frame of the 3-D view from a snapshot, a camera and the view's
// resources: the molecule in the snapshot's ModelStyle, the grid with its
// axis strips, the overlay texts and the outline of a selection gesture.
// Called with renderLock held and a usable device (Redraw and the frames of
// pictures at other sizes); changes only the atom material, the grid and the
// device's transforms, textures and line settings.

#include <cstdint>

#include "base/Math.h"
#include "view/SceneSnapshot.h"

namespace tf {

struct Camera;
struct ViewResources;

// Line patterns: solid for bonds, 8 pixels on and 8 off for outlines.
inline constexpr uint32_t kSolidPattern = 0xFFFFFFFFu;
inline constexpr uint32_t kDashedPattern = 0xFF00FF00u;
inline constexpr uint32_t kBackgroundColour = 0x00202020u;
// Wireframe draws an atom without bonds as a cross of lines this long (Angstrom).
inline constexpr float kLoneAtomCrossLength = 0.4f;

// One complete frame of `scene` seen through `camera`, with the grid at
// spacing `gridStep` (rebuilt when it has another), presented with
// presentRect as source and destination. The device's view and projection
// become the camera's.
void DrawFrame(const SceneSnapshot& scene, const Camera& camera, float gridStep,
               ViewResources& resources);

// One sphere per atom, radius `radius` or, for kAtomOwnRadius, the atom's own.
void DrawAtomSpheres(const SceneSnapshot& scene, const Camera& camera, ViewResources& resources,
                     float radius);

// Two half-cylinders per bond, each in the colour of the atom at its end.
void DrawBondCylinders(const SceneSnapshot& scene, ViewResources& resources, float radius);

// Two screen-space half-lines per bond.
void DrawBondLines(const SceneSnapshot& scene, const Camera& camera, ViewResources& resources,
                   uint32_t width, float alpha);

// Wireframe: a cross in the atom's colour for every atom without bonds, one
// line along each screen axis through its centre.
void DrawLoneAtomCrosses(const SceneSnapshot& scene, const Camera& camera,
                         ViewResources& resources);

// Dashed outline of the rectangle or free-form gesture in progress.
void DrawAreaOutline(const SceneSnapshot& scene, ViewResources& resources);

// Counts, the energy block while shaping, and the grid scale (with `alpha`).
void DrawOverlayText(const SceneSnapshot& scene, const Camera& camera, ViewResources& resources,
                     float alpha);

// World transform of a bond half: the unit cylinder scaled to radius `radius`
// and half the bond's length, turned from +z onto a -> b, centred at the
// point `quarter` (1 or 3) quarters of the way from a to b. A bond along -z
// turns about the x axis; a zero-length bond is not turned.
Matrix BondHalfTransform(const Vector3& a, const Vector3& b, float radius, int quarter);

}  // namespace tf
