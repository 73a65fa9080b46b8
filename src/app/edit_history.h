// The moves made on the open drawing, as undoable steps. Each step keeps
// only what it changed (the moved figures' layers before and after, the
// names before and after) and the rules that describe it, so that the
// steps done so far can also be written as a mapping file.
#pragma once

#include <QString>
#include <QUndoStack>
#include <functional>

#include "document/document.h"
#include "document/layer_history.h"
#include "document/relayer_plan.h"

namespace quintaro::app {

class EditHistory {
 public:
  // Redraws what a step touched after it was undone or redone.
  using RedrawFn = std::function<void(const RelayerPlan& rules)>;

  EditHistory(Document& document, RedrawFn redraw);

  // Runs `change` on the drawing and keeps what it changed as one step; a
  // change that changed nothing leaves no step. True when a step was kept.
  bool Record(const std::function<void()>& change, RelayerPlan rules);

  bool CanUndo() const { return stack_.canUndo(); }
  bool CanRedo() const { return stack_.canRedo(); }
  void Undo() { stack_.undo(); }
  void Redo() { stack_.redo(); }
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
