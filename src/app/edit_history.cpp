#include "app/edit_history.h"

#include <QUndoCommand>
#include <utility>

namespace quintaro::app {

namespace {

class LayerStep : public QUndoCommand {
 public:
  LayerStep(Document& document, LayerChange change, const EditHistory::RedrawFn& redraw)
      : document_(document), change_(std::move(change)), redraw_(redraw) {}

  // The record as last applied: the edit itself while the step is done.
  const LayerChange& Change() const { return change_; }

  void undo() override { Turn(); }
  // The first redo is the push: the change is already made.
  void redo() override {
    if (pushed_) Turn();
    pushed_ = true;
  }

 private:
  // Each turn applies the inverse of the record as last applied.
  void Turn() {
    change_ = document_.Apply(std::move(change_).Inverse());
    redraw_(change_.Rules());
  }

  Document& document_;
  LayerChange change_;
  const EditHistory::RedrawFn& redraw_;
  bool pushed_ = false;
};

}  // namespace

EditHistory::EditHistory(Document& document, RedrawFn redraw)
    : document_(document), redraw_(std::move(redraw)) {
  stack_.setUndoLimit(0);  // unlimited: a step holds only what it changed
}

LayerChange EditHistory::Apply(const RelayerPlan& rules) {
  LayerChange change = document_.Apply(rules);
  if (!change.Empty()) stack_.push(new LayerStep(document_, change, redraw_));
  return change;
}

// A step keeps the record as last applied: after an undo the inverse,
// after a redo the edit again. Only its flows are copied for the caller.
namespace {

LayerChange FlowsOf(const QUndoCommand* command) {
  LayerChange told;
  if (command != nullptr) told.steps = static_cast<const LayerStep*>(command)->Change().steps;
  return told;
}

}  // namespace

LayerChange EditHistory::Undo() {
  if (!stack_.canUndo()) return {};
  stack_.undo();
  return FlowsOf(stack_.command(stack_.index()));
}

LayerChange EditHistory::Redo() {
  if (!stack_.canRedo()) return {};
  stack_.redo();
  return FlowsOf(stack_.command(stack_.index() - 1));
}

RelayerPlan EditHistory::DoneRules() const {
  RelayerPlan rules;
  for (int i = 0; i < stack_.index(); ++i) {
    const RelayerPlan done = static_cast<const LayerStep*>(stack_.command(i))->Change().Rules();
    rules.insert(rules.end(), done.begin(), done.end());
  }
  return rules;
}

}  // namespace quintaro::app
