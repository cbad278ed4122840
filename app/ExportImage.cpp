#include "app/ExportImage.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/DocumentTitle.h"
#include "base/FixedText.h"
#include "view/FrameAtSize.h"

namespace tf {
namespace {

constexpr char16_t kTitle[] = u"Export Image";

bool EndsWithPng(std::u16string_view path) {
  if (path.size() < 4) return false;
  std::u16string_view end = path.substr(path.size() - 4);
  const char16_t lower[] = u".png";
  for (std::size_t i = 0; i < 4; ++i) {
    const char16_t c = end[i] >= u'A' && end[i] <= u'Z' ? end[i] - u'A' + u'a' : end[i];
    if (c != lower[i]) return false;
  }
  return true;
}

bool Exists(std::u16string_view path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::path(ToUtf8(path)), error);
}

// The last picture's name, else the document's with ".png" for ".pdb".
std::u16string ProposedPath(const Application& app) {
  if (!app.state.picturePath.empty()) return app.state.picturePath;
  std::u16string path(TextView(app.document.filePath));
  if (path.ends_with(u".pdb")) path.resize(path.size() - 4);
  return path.empty() ? path : path + u".png";
}

}  // namespace

std::u16string PicturePath(std::u16string_view path) {
  std::u16string result(path);
  if (!EndsWithPng(result)) result += u".png";
  return result;
}

void ExportImage(Application& app) {
  const PixelRect shown = app.view.camera.presentRect;
  ImageExportRequest request{ProposedPath(app), shown.right - shown.left, shown.bottom - shown.top,
                             shown.right - shown.left, shown.bottom - shown.top};
  std::u16string path;
  ImageExportChoice choice;
  for (;;) {
    const std::optional<ImageExportChoice> chosen = app.desktop.RunExportImageDialog(request);
    if (!chosen || chosen->path.empty()) return;
    choice = *chosen;
    path = PicturePath(choice.path);
    if (!Exists(path) ||
        app.desktop.AskYesNo(kTitle, std::u16string(FileNameOf(path)) +
                                         u" already exists.\nDo you want to replace it?"))
      break;
    request = {choice.path, choice.width, choice.height, request.windowWidth, request.windowHeight};
  }
  app.state.picturePath = path;

  const int32_t width = std::clamp(choice.width, 1, kLargestPictureSide);
  const int32_t height = std::clamp(choice.height, 1, kLargestPictureSide);
  std::string error = "no frame could be drawn";
  app.desktop.SetWaitCursor(true);
  const std::shared_ptr<const Frame> frame =
      RecordFrameAtSize(app.resources, WindowScene(app), width, height);
  const bool written = frame && app.desktop.WriteFrameImage(*frame, path, &error);
  app.desktop.SetWaitCursor(false);
  if (!written)
    app.desktop.ShowMessageBox(u"The image could not be saved: " + FromUtf8(error) + u".",
                               u"Message", MessageIcon::Warning);
}

}  // namespace tf
