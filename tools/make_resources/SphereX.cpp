#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "Images.h"

namespace tf::resources {

namespace {

struct SphereVertex {
  double x, y, z;  // also the normal: the sphere has radius 1
  double u, v;
};

// Six decimals, with values that round to zero written without a sign.
std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", value);
  if (std::string(text) == "-0.000000") return "0.000000";
  return text;
}

// Vertices: one copy of the north pole per segment, the seven inner rings with
// the seam column repeated (17 each), one copy of the south pole per segment.
// Pole copy j sits at the azimuth of its segment's first column.
std::vector<SphereVertex> Vertices() {
  std::vector<SphereVertex> vertices;
  const int n = kSphereSegments, bands = kSphereBands;
  for (int j = 0; j < n; ++j) vertices.push_back({0, 1, 0, double(j) / n, 0});
  for (int i = 1; i < bands; ++i) {
    const double polar = std::numbers::pi * i / bands;
    for (int j = 0; j <= n; ++j) {
      const double azimuth = 2 * std::numbers::pi * j / n;  // from +x towards +z
      vertices.push_back({std::sin(polar) * std::cos(azimuth), std::cos(polar),
                          std::sin(polar) * std::sin(azimuth), double(j) / n, double(i) / bands});
    }
  }
  for (int j = 0; j < n; ++j) vertices.push_back({0, -1, 0, double(j) / n, 1});
  return vertices;
}

// Triangles wound so that (b - a) x (c - a) points out of the sphere.
std::vector<std::vector<int>> Faces() {
  const int n = kSphereSegments, bands = kSphereBands;
  auto ring = [&](int i, int j) { return n + (i - 1) * (n + 1) + j; };
  const int south = n + (bands - 1) * (n + 1);
  std::vector<std::vector<int>> faces;
  for (int j = 0; j < n; ++j) faces.push_back({j, ring(1, j + 1), ring(1, j)});
  for (int i = 1; i < bands - 1; ++i) {
    for (int j = 0; j < n; ++j) {
      faces.push_back({ring(i, j), ring(i, j + 1), ring(i + 1, j)});
      faces.push_back({ring(i, j + 1), ring(i + 1, j + 1), ring(i + 1, j)});
    }
  }
  for (int j = 0; j < n; ++j)
    faces.push_back({ring(bands - 1, j), ring(bands - 1, j + 1), south + j});
  return faces;
}

// Writes `count` entries, separated by ",\n" and closed by ";\n".
template <typename Entry>
void List(std::string& out, const std::string& indent, size_t count, Entry entry) {
  for (size_t k = 0; k < count; ++k) out += indent + entry(k) + (k + 1 < count ? ",\n" : ";\n");
}

std::string FaceList(const std::vector<std::vector<int>>& faces, const std::string& indent) {
  std::string out = indent + std::to_string(faces.size()) + ";\n";
  List(out, indent, faces.size(), [&](size_t k) {
    const auto& f = faces[k];
    return "3;" + std::to_string(f[0]) + "," + std::to_string(f[1]) + "," + std::to_string(f[2]) +
           ";";
  });
  return out;
}

}  // namespace

std::string SphereXText() {
  const std::vector<SphereVertex> vertices = Vertices();
  const std::vector<std::vector<int>> faces = Faces();
  auto vector3 = [&](size_t k) {
    const SphereVertex& v = vertices[k];
    return Number(v.x) + ";" + Number(v.y) + ";" + Number(v.z) + ";";
  };

  std::string out =
      "xof 0302txt 0032\n"
      "// Unit sphere around the origin, poles on the y axis: 16 segments around and\n"
      "// 8 bands from pole to pole. Texture u is the azimuth from +x towards +z over\n"
      "// 360 degrees, v the angle from +y over 180 degrees.\n"
      "\n"
      "Mesh Sphere {\n";
  out += " " + std::to_string(vertices.size()) + ";\n";
  List(out, " ", vertices.size(), vector3);
  out += FaceList(faces, " ");

  out += "\n MeshNormals {\n";
  out += "  " + std::to_string(vertices.size()) + ";\n";
  List(out, "  ", vertices.size(), vector3);
  out += FaceList(faces, "  ");
  out += " }\n";

  out += "\n MeshTextureCoords {\n";
  out += "  " + std::to_string(vertices.size()) + ";\n";
  List(out, "  ", vertices.size(),
       [&](size_t k) { return Number(vertices[k].u) + ";" + Number(vertices[k].v) + ";"; });
  out += " }\n";

  out += "\n MeshMaterialList {\n  1;\n";
  out += "  " + std::to_string(faces.size()) + ";\n";
  List(out, "  ", faces.size(), [](size_t) { return std::string("0"); });
  out +=
      "  Material {\n"
      "   1.000000;1.000000;1.000000;1.000000;;\n"
      "   0.000000;\n"
      "   0.000000;0.000000;0.000000;;\n"
      "   0.000000;0.000000;0.000000;;\n"
      "  }\n"
      " }\n"
      "}\n";
  return out;
}

}  // namespace tf::resources
