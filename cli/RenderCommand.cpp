// tessaform-cli render IN.pdb OUT.png [options]: the frame the window would
// show, drawn offscreen and written as a PNG file.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliCommand.h"
#include "model/CenterMolecule.h"
#include "shaping/ShapingRun.h"
#include "view/CameraOperations.h"
#include "view/Graphics.h"
#include "view/GraphicsDevice.h"
#include "view/ViewResources.h"
#include "view/ViewState.h"
#include "view/gl/OffscreenRenderer.h"
#include "view/gl/PngWriter.h"

namespace tf::cli {

namespace {

constexpr int32_t kMaxSide = 4096;

struct RenderOptions {
  std::string input, output;
  int32_t style = kBallStick;
  int32_t width = 700, height = 600;
  std::optional<float> zoom;
  int32_t yaw = 0, pitch = 0;
  enum class Selection { kNone, kAll, kListed } selection = Selection::kNone;
  std::vector<uint32_t> selected;
  bool colorByStrain = false;
};

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end;
}

// "A,B" into two numbers.
template <typename Number>
bool ParsePair(std::string_view text, char separator, Number& a, Number& b) {
  const size_t split = text.find(separator);
  return split != std::string_view::npos && ParseNumber(text.substr(0, split), a) &&
         ParseNumber(text.substr(split + 1), b);
}

bool ParseStyle(std::string_view text, int32_t& style) {
  const std::string_view names[] = {"wireframe", "spacefill", "sticks", "ball-stick"};
  for (int32_t s = 0; s < 4; ++s)
    if (text == names[s]) style = s;
  return text == names[style];
}

bool ParseSelection(std::string_view text, RenderOptions& options) {
  if (text == "all" || text == "none") {
    options.selection =
        text == "all" ? RenderOptions::Selection::kAll : RenderOptions::Selection::kNone;
    return true;
  }
  options.selection = RenderOptions::Selection::kListed;
  while (!text.empty()) {
    const size_t comma = text.find(',');
    uint32_t index = 0;
    if (!ParseNumber(text.substr(0, comma), index)) return false;
    options.selected.push_back(index);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  }
  return !options.selected.empty();
}

// The failing option's message, or empty when all options were understood.
std::string ParseOptions(const std::vector<std::string>& args, RenderOptions& options) {
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.rfind("--", 0) != 0) {
      files.push_back(arg);
      continue;
    }
    if (i + 1 >= args.size()) return arg + " needs a value";
    const std::string& value = args[++i];
    bool understood = false;
    if (arg == "--style") {
      understood = ParseStyle(value, options.style);
    } else if (arg == "--size") {
      understood = ParsePair(value, 'x', options.width, options.height) && options.width > 0 &&
                   options.height > 0 && options.width <= kMaxSide && options.height <= kMaxSide;
    } else if (arg == "--zoom") {
      float zoom = 0;
      understood = ParseNumber(value, zoom) && zoom >= kMinZoom && zoom <= kMaxZoom;
      options.zoom = zoom;
    } else if (arg == "--rotate") {
      understood = ParsePair(value, ',', options.yaw, options.pitch);
    } else if (arg == "--select") {
      understood = ParseSelection(value, options);
    } else if (arg == "--color") {
      understood = value == "strain";
      options.colorByStrain = understood;
    } else {
      return "unknown option '" + arg + "'";
    }
    if (!understood) return "bad value '" + value + "' for " + arg;
  }
  if (files.size() != 2) return "usage: render IN.pdb OUT.png [options]";
  options.input = files[0];
  options.output = files[1];
  return {};
}

// Listed atoms are selected one at a time in their order, which the
// overlay's measurement line follows.
void ApplySelection(Document& document, const RenderOptions& options) {
  ClearSelection(document);
  if (options.selection == RenderOptions::Selection::kAll)
    for (uint32_t i = 0; i < document.atomCount; ++i) SelectAtom(document, i);
  for (uint32_t index : options.selected) SelectAtom(document, index);
}

// The view's records for one picture; the graphics go with them.
struct PictureRecords {
  ViewState view;
  ViewResources resources;
  ShapingRun shaping;  // never runs: the picture shows no energy block
  ~PictureRecords() { ReleaseGraphics(resources); }
};

int RunRender(Document& document, const ForceFieldTables& tables,
              const std::vector<std::string>& args) {
  RenderOptions options;
  if (std::string problem = ParseOptions(args, options); !problem.empty()) return Fail(problem);

  const auto records = std::make_unique<PictureRecords>();
  ViewState& view = records->view;
  ViewResources& resources = records->resources;
  std::string cause;
  if (InitGraphics(resources, view, options.width, options.height, 0, &cause) != 0)
    return Fail("the graphics could not start: " + cause + " could not be made");
  std::string error;
  auto renderer = OffscreenRenderer::Create(&error);
  if (!renderer) return Fail("offscreen OpenGL is not available: " + error);

  if (!OpenMolecule(document, tables, options.input)) return 1;
  for (uint32_t index : options.selected)
    if (index >= document.atomCount)
      return Fail("no atom " + std::to_string(index) + " to select in '" + options.input + "'");
  view.modelStyle = options.style;
  view.colorByStrain = options.colorByStrain;
  ResetView(view, resources);
  CenterMolecule(document);
  // Turned first, so that the fitted zoom holds the molecule as it is shown.
  if (options.yaw != 0 || options.pitch != 0)
    RotateModel(view, resources, document, options.yaw, options.pitch);
  FitZoom(view, resources, document, tables);
  if (options.zoom) {
    view.camera.zoom = *options.zoom;
    Zoom(view, resources, 0);
  }
  ApplySelection(document, options);

  Redraw(resources, {document, tables, records->shaping, view});
  const auto frame = resources.device->LatestFrame();
  RgbaImage image;
  if (!frame || !renderer->Render(*frame, &image, &error))
    return Fail("the frame could not be drawn: " + error);
  if (!WritePng(options.output, image, &error))
    return Fail("cannot write '" + options.output + "': " + error);
  return 0;
}

const CommandRegistration kRender(
    "render",
    "IN.pdb OUT.png [--style wireframe|spacefill|sticks|ball-stick] [--size WxH] [--zoom Z] "
    "[--rotate YAW,PITCH] [--select all|none|i,j,...] [--color strain]",
    RunRender);

}  // namespace

}  // namespace tf::cli
