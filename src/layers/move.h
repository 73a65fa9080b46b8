// Moving every figure of one layer group, or of one layer, onto another.
//
// Group move: srcLayer = dstLayer = -1; every figure of srcGroup goes to
// dstGroup and keeps its layer. Layer move: both layers 0..15; every figure
// on (srcGroup, srcLayer) goes to (dstGroup, dstLayer). JWW and JWC drawings
// also hand the source's name to the destination and empty the source's
// (JWC names cut to 16 bytes for a group, 8 for a layer). A group move
// carries its layers' names the same way, layer by layer, but only where
// the source layer has a name: an unnamed one leaves the destination
// layer's name as it was, so that a group merged into another keeps the
// names it had (a layer move hands an empty name on). Figures inside
// block definitions move by their own layer, like those of the main list;
// a block insertion moves by its own layer. Only layers and names change.
//
// Any other combination of numbers (a group outside 0..15, a layer outside
// 0..15, one layer -1 and the other not) moves nothing.
#pragma once

namespace quintaro {

class TJwwData;
class TJwsData;
class TJwcData;
class TJwkData;

void MoveLayerGroup(TJwwData& doc, int srcGroup, int srcLayer, int dstGroup, int dstLayer);
void MoveLayerGroup(TJwsData& doc, int srcGroup, int srcLayer, int dstGroup, int dstLayer);
void MoveLayerGroup(TJwcData& doc, int srcGroup, int srcLayer, int dstGroup, int dstLayer);
void MoveLayerGroup(TJwkData& doc, int srcGroup, int srcLayer, int dstGroup, int dstLayer);

// True when the four numbers name a group move or a layer move.
bool IsValidLayerMove(int srcGroup, int srcLayer, int dstGroup, int dstLayer);

}  // namespace quintaro
