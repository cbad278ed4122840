#include "app/DocumentFiles.h"

#include <mutex>

#include "app/Application.h"
#include "app/ChooseMoleculeFile.h"
#include "app/DocumentTitle.h"
#include "app/EditSteps.h"
#include "forcefield/FixedText.h"
#include "io/MoleculeFileCommands.h"
#include "io/MoleculeFiles.h"
#include "model/CenterMolecule.h"
#include "view/CameraOperations.h"

namespace tf {
namespace {

bool SaveToFile(Application& app, std::u16string_view path) {
  if (!SaveMoleculeFile(app.store, path)) return false;
  MarkDocumentSaved(app);
  return true;
}

// The question's Save writes the file the question named.
bool SaveChanges(Application& app) {
  const std::u16string path(TextView(app.store.filePath));
  return path.empty() ? SaveDocument(app) : SaveToFile(app, path);
}

// The molecule at `path` replaces the document when it can be read.
void ReadDocumentFile(Application& app, std::u16string_view path) {
  MoleculeStore& store = app.store;
  {
    const EditScope step(app);
    if (!OpenMoleculeFile(store, path)) return;
    ResetView(store);
    CenterMolecule(store);
    FitZoom(store);
    MarkDocumentSaved(app);
  }
  RefreshAndRedraw(app);
  // The dialog's closing click may still hold the button down over the view.
  app.state.skipNextDrag = 1;
}

}  // namespace

bool OfferToSaveChanges(Application& app) {
  if (!DocumentChanged(app)) return true;
  const std::u16string text =
      u"Save changes to " + DocumentName(TextView(app.store.filePath)) + u"?";
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
  MoleculeStore& store = app.store;
  {
    const EditScope step(app);
    {
      std::lock_guard render(store.renderLock);  // the model rotation is reset too
      std::lock_guard model(store.modelLock);
      NewMolecule(store);
      // Without a path the first save asks for a name instead of writing the
      // empty molecule over the file that was open.
      SetFilePath(store, u"");
    }
    MarkDocumentSaved(app);
  }
  RefreshAndRedraw(app);
}

void OpenDocument(Application& app) {
  if (!OfferToSaveChanges(app)) return;
  if (const auto path = ChooseMoleculeFile(app.store, app.desktop, true))
    ReadDocumentFile(app, *path);
}

bool SaveDocument(Application& app) {
  const auto path = ChooseMoleculeFile(app.store, app.desktop, false);
  return path && SaveToFile(app, *path);
}

void OpenDocumentFile(Application& app, std::u16string_view path) {
  if (path.size() >= static_cast<std::size_t>(kPathCapacity)) {
    ShowMessage(app.store.shell, u"Bad file.", MessageIcon::Warning);
    return;
  }
  if (OfferToSaveChanges(app)) ReadDocumentFile(app, path);
}

void CloseMainWindow(Application& app) {
  if (OfferToSaveChanges(app)) app.desktop.DestroyMainWindow();
}

}  // namespace tf
