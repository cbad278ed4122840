#pragma once
// The Export Image dialog: Qt's file dialog with a row for the picture's
// size in pixels below the file name.

#include <QWidget>
#include <optional>

#include "app/DesktopShell.h"

namespace tf {

// Modal over `parent`; nothing when cancelled. Asks nothing about existing
// files itself.
std::optional<ImageExportChoice> RunExportImageDialog(QWidget* parent,
                                                      const ImageExportRequest& request);

}  // namespace tf
