// The edits made on the open drawing, as undoable steps. Each step keeps
// the record Document::Apply returned, which holds only what changed (the
// moved figures' layers and the names, before and after) and the rules,
// so that the steps done so far can also be written as a mapping file.
// Undo and redo write a record back through the same Apply.
#pragma once

#include <QString>
#include <QUndoStack>
#include <functional>

#include "document/document.h"
#include "document/relayer_plan.h"

namespace quintaro::app {

class EditHistory {
 public:
  // Redraws what a step touched after it was undone or redone.
  using RedrawFn = std::function<void(const RelayerPlan& rules)>;

  EditHistory(Document& document, RedrawFn redraw);

  // Applies the rules to the drawing and keeps what they changed as one
  // step (an edit that changed nothing leaves none); the record says what
  // the rules did.
  LayerChange Apply(const RelayerPlan& rules);

  bool CanUndo() const { return stack_.canUndo(); }
  bool CanRedo() const { return stack_.canRedo(); }
  // Each returns the record of what it changed (empty when nothing).
  LayerChange Undo();
  LayerChange Redo();
  // Forgets every step (another drawing, or none, was opened).
  void Clear() { stack_.clear(); }
  // The drawing as it is now was saved.
  void MarkSaved() { stack_.setClean(); }
  // True while the drawing differs from its state when opened or saved.
  bool Modified() const { return !stack_.isClean(); }
  // The rules of the steps done (not undone), in order.
  RelayerPlan DoneRules() const;
  QUndoStack& Stack() { return stack_; }

 private:
  Document& document_;
  RedrawFn redraw_;
  QUndoStack stack_;
};

}  // namespace quintaro::app
