// Edits of a drawing's layer table beyond plain moves: renaming a group or a
// layer, swapping two, and the scales a move carries figures between.
#pragma once

#include <optional>
#include <string>

#include "document/document.h"
#include "document/relayer_plan.h"

namespace quintaro {

// Why the drawing cannot take `utf8` as the name of a group (`layer` -1) or
// layer: "" when it can. JWS and JWK have no names; a file that keeps names
// in Shift-JIS refuses characters without a Shift-JIS form.
std::string NameRefusal(const Document& doc, const LayerRef& ref, const std::string& utf8);

// Renames the group or layer, the name written in the file's own string
// form (Shift-JIS, or UTF-16 where the file uses it); JWC names are cut to
// 16 (group) or 8 (layer) bytes at a character boundary. False with `why`
// set, the drawing unchanged, when NameRefusal refuses. `cut` (may be null)
// tells whether the name had to be shortened.
bool RenameLayerRef(Document& doc, const LayerRef& ref, const std::string& utf8, std::string* why,
                    bool* cut = nullptr);

// The name of a group or layer as UTF-8 ("" for none).
std::string NameOf(const Document& doc, const LayerRef& ref);

// Exchanges two groups or two layers with their names (swap.h).
void SwapLayerRefs(Document& doc, const LayerRef& a, const LayerRef& b);

// Moves, as Document::Move does, a group or layer onto another.
void MoveLayerRef(Document& doc, const LayerRef& from, const LayerRef& to);

// The scales of two groups when a move between them changes the scale its
// figures are shown at; none when equal, the same group, or unknown (JWK).
struct ScaleChange {
  double from = 0, to = 0;
  friend bool operator==(const ScaleChange&, const ScaleChange&) = default;
};
std::optional<ScaleChange> ScaleChangeOf(const Document& doc, int fromGroup, int toGroup);

// A scale as a ratio: "1/100", "1/2.5", "2/1" for 0.5 (at most three
// decimals, trailing zeros left out).
std::string ScaleRatio(double denominator);

}  // namespace quintaro
