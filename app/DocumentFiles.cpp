#include "app/DocumentFiles.h"

#include <mutex>

#include "app/Application.h"
#include "app/ChooseMoleculeFile.h"
#include "app/DocumentTitle.h"
#include "app/EditSteps.h"
#include "app/ReadReportMessages.h"
#include "base/FixedText.h"
#include "io/MoleculeFileCommands.h"
#include "io/MoleculeFiles.h"
#include "model/CenterMolecule.h"
#include "view/CameraOperations.h"

namespace tf {
namespace {

bool SaveToFile(Application& app, std::u16string_view path) {
  if (!SaveMoleculeFile(app.document, app.tables, path)) {
    app.desktop.ShowMessageBox(u"Bad file.", u"Message", MessageIcon::Warning);
    return false;
  }
  MarkDocumentSaved(app);
  return true;
}

// The question's Save writes the file the question named.
bool SaveChanges(Application& app) {
  const std::u16string path(TextView(app.document.filePath));
  return path.empty() ? SaveDocument(app) : SaveToFile(app, path);
}

// The molecule at `path` replaces the document when it can be read.
void ReadDocumentFile(Application& app, std::u16string_view path) {
  {
    const EditScope step(app);
    const ReadReport report = OpenMoleculeFile(app.document, app.tables, path);
    if (report.read) {
      ResetView(app.view, app.resources);
      CenterMolecule(app.document);
      FitZoom(app.view, app.resources, app.document, app.tables);
      MarkDocumentSaved(app);
    }
    ShowReadReport(app.desktop, report);
    if (!report.read) return;
  }
  RefreshAndRedraw(app);
  // The dialog's closing click may still hold the button down over the view.
  app.state.skipNextDrag = 1;
}

}  // namespace

bool OfferToSaveChanges(Application& app) {
  if (!DocumentChanged(app)) return true;
  const std::u16string text =
      u"Save changes to " + DocumentName(TextView(app.document.filePath)) + u"?";
  switch (app.desktop.AskSaveChanges(text)) {
    case SaveChangesAnswer::Save:
      return SaveChanges(app);
    case SaveChangesAnswer::Discard:
      return true;
    case SaveChangesAnswer::Cancel:
    default:
      return false;
  }
}

void NewDocument(Application& app) {
  if (!OfferToSaveChanges(app)) return;
  {
    const EditScope step(app);
    {
      std::lock_guard model(app.document.modelLock);
      NewMolecule(app.document);
      // Without a path the first save asks for a name instead of writing the
      // empty molecule over the file that was open.
      SetFilePath(app.document, u"");
    }
    MarkDocumentSaved(app);
  }
  RefreshAndRedraw(app);
}

void OpenDocument(Application& app) {
  if (!OfferToSaveChanges(app)) return;
  if (const auto path = ChooseMoleculeFile(app.document, app.desktop, true))
    ReadDocumentFile(app, *path);
}

bool SaveDocument(Application& app) {
  const auto path = ChooseMoleculeFile(app.document, app.desktop, false);
  return path && SaveToFile(app, *path);
}

void OpenDocumentFile(Application& app, std::u16string_view path) {
  if (path.size() >= static_cast<std::size_t>(kPathCapacity)) {
    app.desktop.ShowMessageBox(u"Bad file.", u"Message", MessageIcon::Warning);
    return;
  }
  if (OfferToSaveChanges(app)) ReadDocumentFile(app, path);
}

void CloseMainWindow(Application& app) {
  if (OfferToSaveChanges(app)) app.desktop.DestroyMainWindow();
}

}  // namespace tf
