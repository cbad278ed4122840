#include "app/qt/ExportImageDialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "app/qt/QtText.h"
#include "view/FrameAtSize.h"

namespace tf {
namespace {

QSpinBox* SideBox(const char* name, int32_t value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(1, kLargestPictureSide);
  box->setValue(value);
  box->setSuffix(" px");
  return box;
}

}  // namespace

std::optional<ImageExportChoice> RunExportImageDialog(QWidget* parent,
                                                      const ImageExportRequest& request) {
  QFileDialog dialog(parent, "Export Image");
  dialog.setObjectName("exportImageDialog");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  // Qt's own dialog: a native one would have no room for the size row.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setNameFilter("PNG image (*.png)");
  dialog.setDefaultSuffix("png");
  if (!request.proposedPath.empty()) dialog.selectFile(ToQString(request.proposedPath));

  auto* sizeRow = new QWidget(&dialog);
  auto* row = new QHBoxLayout(sizeRow);
  row->setContentsMargins(0, 0, 0, 0);
  QSpinBox* width = SideBox("imageWidth", request.width, sizeRow);
  QSpinBox* height = SideBox("imageHeight", request.height, sizeRow);
  auto* windowSize = new QPushButton("Window Size", sizeRow);
  windowSize->setObjectName("windowSize");
  windowSize->setAutoDefault(false);
  QObject::connect(windowSize, &QPushButton::clicked, [&] {
    width->setValue(request.windowWidth);
    height->setValue(request.windowHeight);
  });
  row->addWidget(width);
  row->addWidget(new QLabel("x", sizeRow));
  row->addWidget(height);
  row->addWidget(windowSize);
  row->addStretch(1);
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    const int line = grid->rowCount();
    grid->addWidget(new QLabel("Image size:", &dialog), line, 0);
    grid->addWidget(sizeRow, line, 1, 1, grid->columnCount() - 1);
  } else {
    dialog.layout()->addWidget(sizeRow);
  }

  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ImageExportChoice{FromQString(dialog.selectedFiles().first()), width->value(),
                           height->value()};
}

}  // namespace tf
