#pragma once
// Pictures built into the program, as Qt images: the toolbar's six tool
// images and the program icon.

#include <QIcon>
#include <QImage>
#include <vector>

namespace tf {

// The six 24 x 24 images of the toolbar bitmap, left to right, with the
// colour of its top-left pixel transparent. Empty if the bitmap is unusable.
std::vector<QImage> ToolbarImages();

// The program icon; a null icon if it cannot be decoded.
QIcon ProgramIcon();

}  // namespace tf
