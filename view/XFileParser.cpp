#include "view/XFileParser.h"

#include <charconv>
#include <cmath>

#include "view/XTokenizer.h"

namespace tf {

namespace {

constexpr size_t kHeaderSize = 16;  // "xof 0302txt 0032"

std::string Quote(std::string_view text) {
  constexpr size_t kShown = 24;
  std::string quoted(1, '"');
  quoted.append(text.substr(0, kShown));
  if (text.size() > kShown) quoted.append("...");
  quoted.push_back('"');
  return quoted;
}

std::string Describe(const XToken& token) {
  switch (token.kind) {
    case XTokenKind::kEnd:
      return "the end of the file";
    case XTokenKind::kOpenBrace:
      return "\"{\"";
    case XTokenKind::kCloseBrace:
      return "\"}\"";
    default:
      return Quote(token.text);
  }
}

class XParser {
 public:
  XParser(std::string_view body, XMeshData& mesh) : tokens_(body, 1), mesh_(mesh) {}

  bool ParseFile();
  const std::string& Error() const { return error_; }

 private:
  bool Fail(int line, const std::string& reason) {
    error_ = "line " + std::to_string(line) + ": " + reason;
    return false;
  }
  bool Fail(const XToken& at, const std::string& reason) { return Fail(at.line, reason); }
  bool Unclosed(const XToken& end) {
    return Fail(end, "an object is not closed before the end of the file");
  }
  bool OpenObject(std::string_view what);
  bool SkipObject();
  bool SkipToClose();
  bool ReadCount(const char* what, uint32_t max, uint32_t* value);
  bool ReadFloat(const char* what, float* value);
  bool ReadVector(const char* what, Vector3* value);
  bool ReadColor(const char* what, int channels, ColorValue* value);
  bool ReadPolygons(const char* what, uint32_t expectedFaces, uint32_t indexLimit,
                    std::vector<uint32_t>* indices, bool checkSizes);
  bool ParseMesh();
  bool ParseNormals();
  bool ParseTexCoords();
  bool ParseMaterialList();
  bool ParseMaterial(XMaterial* material);

  XTokenizer tokens_;
  XMeshData& mesh_;
  std::string error_;
};

// After an object's type name: an optional instance name, "{", an optional GUID.
bool XParser::OpenObject(std::string_view what) {
  XToken token = tokens_.Next();
  if (token.kind == XTokenKind::kName) token = tokens_.Next();
  if (token.kind != XTokenKind::kOpenBrace)
    return Fail(token,
                "expected \"{\" to open " + std::string(what) + ", found " + Describe(token));
  if (tokens_.Peek().kind == XTokenKind::kGuid) tokens_.Next();
  return true;
}

// Consumes everything up to and including the "}" closing the current object.
bool XParser::SkipToClose() {
  int depth = 1;
  while (depth > 0) {
    const XToken token = tokens_.Next();
    switch (token.kind) {
      case XTokenKind::kOpenBrace:
        ++depth;
        break;
      case XTokenKind::kCloseBrace:
        --depth;
        break;
      case XTokenKind::kEnd:
        return Unclosed(token);
      case XTokenKind::kBad:
        return Fail(token, "unexpected " + Quote(token.text));
      default:
        break;
    }
  }
  return true;
}

bool XParser::SkipObject() {
  return OpenObject("an object") && SkipToClose();
}

bool XParser::ReadCount(const char* what, uint32_t max, uint32_t* value) {
  const XToken token = tokens_.Next();
  uint64_t parsed = 0;
  const char* end = token.text.data() + token.text.size();
  const auto [ptr, ec] = std::from_chars(token.text.data(), end, parsed);
  if (token.kind != XTokenKind::kNumber || ec != std::errc() || ptr != end)
    return Fail(token, std::string("expected a whole number for the ") + what + ", found " +
                           Describe(token));
  if (parsed > max)
    return Fail(token, std::string("the ") + what + " " + Quote(token.text) + " exceeds " +
                           std::to_string(max));
  *value = static_cast<uint32_t>(parsed);
  return true;
}

bool XParser::ReadFloat(const char* what, float* value) {
  const XToken token = tokens_.Next();
  std::string_view text = token.text;
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, *value);
  if (token.kind != XTokenKind::kNumber || ec != std::errc() || ptr != end ||
      !std::isfinite(*value))
    return Fail(token, std::string("expected a number for ") + what + ", found " + Describe(token));
  return true;
}

bool XParser::ReadVector(const char* what, Vector3* value) {
  return ReadFloat(what, &value->x) && ReadFloat(what, &value->y) && ReadFloat(what, &value->z);
}

bool XParser::ReadColor(const char* what, int channels, ColorValue* value) {
  float* parts[] = {&value->r, &value->g, &value->b, &value->a};
  for (int i = 0; i < channels; ++i)
    if (!ReadFloat(what, parts[i])) return false;
  return true;
}

// Polygons as "count; i0, i1, ...;". With `checkSizes` each must have as many
// corners as the mesh's polygon at the same position.
bool XParser::ReadPolygons(const char* what, uint32_t expectedFaces, uint32_t indexLimit,
                           std::vector<uint32_t>* indices, bool checkSizes) {
  for (uint32_t face = 0; face < expectedFaces; ++face) {
    const int line = tokens_.Peek().line;
    uint32_t corners = 0;
    if (!ReadCount("corner count", kMaxXPolygonCorners, &corners)) return false;
    if (corners < 3)
      return Fail(line, std::string(what) + " " + std::to_string(face) + " has " +
                            std::to_string(corners) + " corners");
    if (checkSizes && corners != mesh_.faceSizes[face])
      return Fail(line, std::string(what) + " " + std::to_string(face) +
                            " does not have as many corners as the mesh face");
    if (!checkSizes) mesh_.faceSizes.push_back(corners);
    for (uint32_t i = 0; i < corners; ++i) {
      const XToken copy = tokens_.Peek();
      uint32_t index = 0;
      if (!ReadCount("index", UINT32_MAX, &index)) return false;
      if (index >= indexLimit)
        return Fail(copy, std::string("index ") + Quote(copy.text) + " in " + what + " " +
                              std::to_string(face) + " is not below " + std::to_string(indexLimit));
      indices->push_back(index);
    }
  }
  return true;
}

bool XParser::ParseFile() {
  bool found = false;
  for (;;) {
    const XToken token = tokens_.Next();
    if (token.kind == XTokenKind::kEnd) break;
    if (token.kind == XTokenKind::kName && token.text == "Mesh") {
      if (found) return Fail(token, "more than one Mesh in the file");
      if (!ParseMesh()) return false;
      found = true;
    } else if (token.kind == XTokenKind::kName) {
      if (!SkipObject()) return false;
    } else if (token.kind == XTokenKind::kOpenBrace) {
      if (!SkipToClose()) return false;
    } else {
      return Fail(token, "unexpected " + Describe(token) + " outside an object");
    }
  }
  if (!found) return Fail(1, "no Mesh in the file");
  return true;
}

bool XParser::ParseMesh() {
  if (!OpenObject("the Mesh")) return false;
  uint32_t vertexCount = 0;
  if (!ReadCount("vertex count", kMaxXVertices, &vertexCount)) return false;
  for (uint32_t i = 0; i < vertexCount; ++i) {
    Vector3 position;
    if (!ReadVector("a vertex", &position)) return false;
    mesh_.positions.push_back(position);
  }
  uint32_t faceCount = 0;
  if (!ReadCount("face count", kMaxXFaces, &faceCount)) return false;
  if (!ReadPolygons("face", faceCount, vertexCount, &mesh_.faceIndices, false)) return false;

  for (;;) {
    const XToken token = tokens_.Next();
    if (token.kind == XTokenKind::kCloseBrace) return true;
    if (token.kind == XTokenKind::kEnd) return Unclosed(token);
    if (token.kind == XTokenKind::kOpenBrace) {
      if (!SkipToClose()) return false;
      continue;
    }
    if (token.kind != XTokenKind::kName)
      return Fail(token, "unexpected " + Describe(token) + " in the Mesh");
    bool ok;
    if (token.text == "MeshNormals")
      ok = mesh_.normals.empty() ? ParseNormals() : Fail(token, "a second MeshNormals");
    else if (token.text == "MeshTextureCoords")
      ok = mesh_.texCoords.empty() ? ParseTexCoords() : Fail(token, "a second MeshTextureCoords");
    else if (token.text == "MeshMaterialList")
      ok = mesh_.materials.empty() ? ParseMaterialList() : Fail(token, "a second MeshMaterialList");
    else
      ok = SkipObject();
    if (!ok) return false;
  }
}

bool XParser::ParseNormals() {
  if (!OpenObject("MeshNormals")) return false;
  uint32_t normalCount = 0;
  if (!ReadCount("normal count", kMaxXFaces, &normalCount)) return false;
  if (normalCount == 0) return Fail(tokens_.Peek(), "MeshNormals holds no normals");
  for (uint32_t i = 0; i < normalCount; ++i) {
    Vector3 normal;
    if (!ReadVector("a normal", &normal)) return false;
    mesh_.normals.push_back(normal);
  }
  const XToken at = tokens_.Peek();
  uint32_t faceCount = 0;
  if (!ReadCount("normal face count", kMaxXFaces, &faceCount)) return false;
  if (faceCount != mesh_.faceSizes.size())
    return Fail(at, "MeshNormals has " + std::to_string(faceCount) + " faces, the Mesh " +
                        std::to_string(mesh_.faceSizes.size()));
  return ReadPolygons("normal face", faceCount, normalCount, &mesh_.normalIndices, true) &&
         SkipToClose();
}

bool XParser::ParseTexCoords() {
  if (!OpenObject("MeshTextureCoords")) return false;
  const XToken at = tokens_.Peek();
  uint32_t count = 0;
  if (!ReadCount("texture coordinate count", kMaxXVertices, &count)) return false;
  if (count != mesh_.positions.size())
    return Fail(at, "MeshTextureCoords has " + std::to_string(count) + " entries for " +
                        std::to_string(mesh_.positions.size()) + " vertices");
  if (count == 0) return SkipToClose();
  for (uint32_t i = 0; i < count; ++i) {
    TexCoord uv;
    if (!ReadFloat("a texture coordinate", &uv.u) || !ReadFloat("a texture coordinate", &uv.v))
      return false;
    mesh_.texCoords.push_back(uv);
  }
  return SkipToClose();
}

bool XParser::ParseMaterialList() {
  if (!OpenObject("MeshMaterialList")) return false;
  uint32_t materialCount = 0;
  if (!ReadCount("material count", kMaxXMaterials, &materialCount)) return false;
  const XToken at = tokens_.Peek();
  uint32_t indexCount = 0;
  if (!ReadCount("face material count", kMaxXFaces, &indexCount)) return false;
  const auto faceCount = static_cast<uint32_t>(mesh_.faceSizes.size());
  if (indexCount > faceCount)
    return Fail(at, "MeshMaterialList names materials for " + std::to_string(indexCount) +
                        " faces, the Mesh has " + std::to_string(faceCount));
  for (uint32_t i = 0; i < indexCount; ++i) {
    const XToken token = tokens_.Peek();
    uint32_t index = 0;
    if (!ReadCount("material index", UINT32_MAX, &index)) return false;
    if (index >= materialCount)
      return Fail(token, "material index " + Quote(token.text) + " is not below " +
                             std::to_string(materialCount));
    mesh_.faceMaterials.push_back(index);
  }
  // Faces without an entry take the last one listed.
  const uint32_t last = mesh_.faceMaterials.empty() ? 0 : mesh_.faceMaterials.back();
  mesh_.faceMaterials.resize(faceCount, last);

  for (;;) {
    const XToken token = tokens_.Next();
    if (token.kind == XTokenKind::kCloseBrace) break;
    if (token.kind == XTokenKind::kEnd) return Unclosed(token);
    bool ok = true;
    if (token.kind == XTokenKind::kName && token.text == "Material") {
      XMaterial material;
      ok = ParseMaterial(&material);
      mesh_.materials.push_back(material);
    } else if (token.kind == XTokenKind::kName) {
      ok = SkipObject();
    } else if (token.kind == XTokenKind::kOpenBrace) {
      // A reference to a material defined elsewhere: it reads as white.
      ok = SkipToClose();
      mesh_.materials.push_back(XMaterial{});
    } else {
      ok = Fail(token, "unexpected " + Describe(token) + " in MeshMaterialList");
    }
    if (!ok) return false;
  }
  mesh_.materials.resize(materialCount);
  if (materialCount == 0) mesh_.faceMaterials.clear();
  return true;
}

bool XParser::ParseMaterial(XMaterial* material) {
  if (!OpenObject("a Material")) return false;
  if (!ReadColor("a face colour", 4, &material->faceColor) ||
      !ReadFloat("a specular power", &material->power) ||
      !ReadColor("a specular colour", 3, &material->specular) ||
      !ReadColor("an emissive colour", 3, &material->emissive))
    return false;
  for (;;) {
    const XToken token = tokens_.Next();
    if (token.kind == XTokenKind::kCloseBrace) return true;
    if (token.kind == XTokenKind::kEnd) return Unclosed(token);
    if (token.kind == XTokenKind::kName && token.text == "TextureFilename") {
      if (!OpenObject("TextureFilename")) return false;
      const XToken name = tokens_.Next();
      if (name.kind != XTokenKind::kString)
        return Fail(name, "expected a quoted file name, found " + Describe(name));
      material->textureFilename = std::string(name.text);
      if (!SkipToClose()) return false;
    } else if (token.kind == XTokenKind::kName) {
      if (!SkipObject()) return false;
    } else if (token.kind == XTokenKind::kOpenBrace) {
      if (!SkipToClose()) return false;
    } else {
      return Fail(token, "unexpected " + Describe(token) + " in a Material");
    }
  }
}

}  // namespace

long ParseXFile(std::string_view text, XMeshData* mesh, std::string* error) {
  if (mesh == nullptr) return kErrInvalidCall;
  *mesh = XMeshData{};
  std::string reason;
  if (text.size() < kHeaderSize || text.substr(0, 4) != "xof ") {
    reason = "line 1: no \"xof \" header";
  } else if (text.substr(8, 4) != "txt ") {
    reason = "line 1: format " + Quote(text.substr(8, 4)) + " is not the text format \"txt \"";
  } else if (text.substr(12, 4) != "0032" && text.substr(12, 4) != "0064") {
    reason = "line 1: float size " + Quote(text.substr(12, 4)) + " is not \"0032\" or \"0064\"";
  } else {
    XParser parser(text.substr(kHeaderSize), *mesh);
    if (parser.ParseFile()) return kOk;
    reason = parser.Error();
  }
  *mesh = XMeshData{};
  if (error) *error = reason;
  return kErrInvalidData;
}

}  // namespace tf
