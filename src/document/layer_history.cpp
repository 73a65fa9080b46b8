#include "document/layer_history.h"

#include <cstddef>

#include "layers/layer_slots.h"

namespace quintaro {

namespace {

// f(container) for the open drawing, whichever format it has.
template <class F>
void WithOpen(Document& doc, F&& f) {
  if (auto* d = doc.Jwc()) return f(*d);
  if (auto* d = doc.Jwk()) return f(*d);
  if (auto* d = doc.Jww()) return f(*d);
  if (auto* d = doc.Jws()) return f(*d);
}

void Restore(Document& doc, const LayerChange& change, bool before) {
  WithOpen(doc, [&](auto& d) {
    std::uint32_t index = 0;
    std::size_t next = 0;
    const auto& figures = change.figures;
    layerslots::ForEachSlot(d, [&](auto& slot) {
      if (next < figures.size() && figures[next].index == index) {
        layerslots::Set(slot, before ? figures[next].before : figures[next].after);
        ++next;
      }
      ++index;
    });
    std::size_t name = 0;
    layerslots::ForEachName(d, [&](int i, auto& text) {
      while (name < change.names.size() && change.names[name].index < i) ++name;
      if (name < change.names.size() && change.names[name].index == i) {
        const LayerChange::Name& n = change.names[name];
        layerslots::SetName(text, before ? n.before : n.after);
      }
    });
  });
}

}  // namespace

LayerSnapshot TakeLayerSnapshot(Document& doc) {
  LayerSnapshot s;
  WithOpen(doc, [&](auto& d) {
    layerslots::ForEachSlot(d, [&](auto& slot) { s.figures.push_back(layerslots::Get(slot)); });
    layerslots::ForEachName(
        d, [&](int i, auto& text) { s.names.emplace_back(i, layerslots::GetName(text)); });
  });
  return s;
}

LayerChange ChangeSince(const LayerSnapshot& before, Document& doc) {
  LayerChange change;
  WithOpen(doc, [&](auto& d) {
    std::uint32_t index = 0;
    layerslots::ForEachSlot(d, [&](auto& slot) {
      const std::uint32_t now = layerslots::Get(slot);
      if (index < before.figures.size() && before.figures[index] != now) {
        change.figures.push_back({index, before.figures[index], now});
      }
      ++index;
    });
    std::size_t k = 0;
    layerslots::ForEachName(d, [&](int i, auto& text) {
      EncodedText now = layerslots::GetName(text);
      while (k < before.names.size() && before.names[k].first < i) ++k;
      if (k < before.names.size() && before.names[k].first == i &&
          !(before.names[k].second == now)) {
        change.names.push_back({i, before.names[k].second, std::move(now)});
      }
    });
  });
  return change;
}

void RestoreBefore(Document& doc, const LayerChange& change) {
  Restore(doc, change, true);
}

void RestoreAfter(Document& doc, const LayerChange& change) {
  Restore(doc, change, false);
}

}  // namespace quintaro
