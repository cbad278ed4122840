// The user manual and its pictures travel together: every picture the manual
// shows is in share/manual/, and every file there is shown, so a picture that
// scripts/make-manual-images.sh stops making cannot linger unnoticed.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <system_error>

#include "support/ShippedConfig.h"
#include "support/TempDir.h"

namespace tf {
namespace {

// The values of the page's src attributes.
std::set<std::string> PicturesShown(const std::string& html) {
  const std::string attribute = "src=\"";
  std::set<std::string> shown;
  for (std::size_t at = html.find(attribute); at != std::string::npos;
       at = html.find(attribute, at)) {
    at += attribute.size();
    const std::size_t end = html.find('"', at);
    if (end == std::string::npos) break;
    shown.insert(html.substr(at, end - at));
    at = end;
  }
  return shown;
}

TEST(Manual, ShowsEveryPictureOfItsFolderAndNoOther) {
  const std::string html = test::ReadBytes(test::SourcePath("share/Tessaform.html"));
  ASSERT_FALSE(html.empty()) << "share/Tessaform.html is missing";
  const std::set<std::string> shown = PicturesShown(html);
  ASSERT_FALSE(shown.empty()) << "the manual shows no pictures";

  std::set<std::string> stored;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator(test::SourcePath("share/manual"), error))
    stored.insert("manual/" + entry.path().filename().string());
  ASSERT_FALSE(error) << "share/manual: " << error.message();

  for (const std::string& picture : shown)
    EXPECT_TRUE(stored.contains(picture)) << picture << " is shown but not in share/manual/";
  for (const std::string& file : stored)
    EXPECT_TRUE(shown.contains(file)) << file << " is in share/manual/ but not shown";
}

}  // namespace
}  // namespace tf
