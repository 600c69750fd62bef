// The main window's commands on the structure of the knowledge base: section frames, the merge of
// files into a project and the hierarchy tree.
#include <algorithm>

#include "engine/merge.h"
#include "engine/narrowing.h"
#include "kb/hierarchy.h"
#include "kb/section_frames.h"
#include "ui/dialogs.h"
#include "ui/editor_window.h"
#include "ui/main_window.h"
#include "ui/merge_dialog.h"
#include "ui/qt_text.h"
#include "ui/section_names_dialog.h"

namespace veksa {

void MainWindow::connectCommands() {
  connect(this, &MainWindow::mergeRequested, this, &MainWindow::showMerge);
  connect(this, &MainWindow::hierarchyRequested, this, &MainWindow::SpeedButton2Click);
  connect(editor_->sectionNames(), &SectionNamesDialog::framesRequested, this,
          &MainWindow::writeSectionFrames);
  connect(editor_, &EditorWindow::treeNodeClicked, this, &MainWindow::TreeView1Click);
}

void MainWindow::writeSectionFrames() {
  if (!editorOpen()) return;
  CommandScope scope(*this);
  appendSectionFrames(ws_.lines, ws_.newSectionNames);
  editor_->sectionNames()->clearNames();
}

void MainWindow::showMerge() {
  if (!editorOpen()) return;
  // Every use starts afresh with the files the directory holds now.
  merge_ = new MergeDialog(this);
  connect(merge_, &MergeDialog::mergeConfirmed, this, &MainWindow::merge);
  connect(merge_, &MergeDialog::closed, this, [this, dialog = merge_] {
    // Closing the editor window meanwhile left no project: that stays so.
    if (ws_.ProjectState != kProjectNone) ws_.ProjectState = kProjectMergeClosed;
    if (merge_ == dialog) merge_ = nullptr;
    dialog->deleteLater();
  });
  ws_.ProjectState = kProjectMergeOrTree;
  merge_->show();
  merge_->raise();
  merge_->activateWindow();
}

void MainWindow::merge() {
  if (!merge_ || editor_->isClosed()) return;
  const MergeRequest request = merge_->request();
  // A request without names merges nothing, so it replaces no text.
  if (!request.projectName.empty() && !request.dataName.empty() && !mayDiscardEdits()) {
    merge_->stayOpen();
    return;
  }
  CommandScope scope(*this);
  std::string error;
  switch (mergeProject(ws_, request, error)) {
    case MergeResult::Merged:
      textMatchesFile();
      break;
    case MergeResult::Failed:
      showError(error);
      break;
    case MergeResult::Skipped:
      break;
  }
}

void MainWindow::SpeedButton2Click() {
  if (!editorOpen()) return;
  CommandScope scope(*this);
  ws_.ProjectState = kProjectMergeOrTree;
  editor_->showTree(buildHierarchy(ws_.lines));
}

void MainWindow::TreeView1Click(bool root, const QString& text, int occurrence) {
  if (!editorOpen()) return;
  // A knowledge base with a file is read again from it.
  if (ws_.hasFile() && !mayDiscardEdits()) return;
  CommandScope scope(*this);
  std::string error;
  switch (veksa::TreeView1Click(ws_, root, toLine(text), error,
                                static_cast<std::size_t>(std::max(occurrence, 0)))) {
    case NarrowResult::Whole:
    case NarrowResult::Narrowed:
      textMatchesFile();
      break;
    case NarrowResult::Failed:
      showError(error);
      break;
    case NarrowResult::Unchanged:
      break;
  }
}

}  // namespace veksa
