#include "app/edit_history.h"

#include <QUndoCommand>
#include <utility>

namespace quintaro::app {

namespace {

class LayerStep : public QUndoCommand {
 public:
  LayerStep(Document& document, LayerChange change, RelayerPlan rules,
            const EditHistory::RedrawFn& redraw)
      : document_(document),
        change_(std::move(change)),
        rules_(std::move(rules)),
        redraw_(redraw) {}

  const RelayerPlan& Rules() const { return rules_; }

  void undo() override {
    RestoreBefore(document_, change_);
    redraw_(rules_);
  }
  // The first redo is the push: the change is already made.
  void redo() override {
    if (pushed_) {
      RestoreAfter(document_, change_);
      redraw_(rules_);
    }
    pushed_ = true;
  }

 private:
  Document& document_;
  LayerChange change_;
  RelayerPlan rules_;
  const EditHistory::RedrawFn& redraw_;
  bool pushed_ = false;
};

}  // namespace

EditHistory::EditHistory(Document& document, RedrawFn redraw)
    : document_(document), redraw_(std::move(redraw)) {
  stack_.setUndoLimit(0);  // unlimited: a step holds only what it changed
}

bool EditHistory::Record(const std::function<void()>& change, RelayerPlan rules) {
  LayerSnapshot before = TakeLayerSnapshot(document_);
  change();
  LayerChange changed = ChangeSince(before, document_);
  before = {};  // the snapshot goes before the step is kept
  if (changed.Empty()) return false;
  stack_.push(new LayerStep(document_, std::move(changed), std::move(rules), redraw_));
  return true;
}

RelayerPlan EditHistory::DoneRules() const {
  RelayerPlan rules;
  for (int i = 0; i < stack_.index(); ++i) {
    const auto* step = static_cast<const LayerStep*>(stack_.command(i));
    rules.insert(rules.end(), step->Rules().begin(), step->Rules().end());
  }
  return rules;
}

}  // namespace quintaro::app
