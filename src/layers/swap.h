// Exchanging two layer groups, or two layers, in one step: the figures of
// each go to the other, and so do their names (JWW and JWC; a group swap
// also exchanges the names of their 16 layers), so that no empty group is
// needed. Layer numbers are those of move.h: a group swap
// has both layers -1, a layer swap both 0..15; anything else swaps nothing.
// Figures are found as a move finds them (block members by their own
// layer, dimensions' parts by theirs).
#pragma once

namespace quintaro {

class TJwwData;
class TJwsData;
class TJwcData;
class TJwkData;

void SwapLayerGroups(TJwwData& doc, int groupA, int layerA, int groupB, int layerB);
void SwapLayerGroups(TJwsData& doc, int groupA, int layerA, int groupB, int layerB);
void SwapLayerGroups(TJwcData& doc, int groupA, int layerA, int groupB, int layerB);
void SwapLayerGroups(TJwkData& doc, int groupA, int layerA, int groupB, int layerB);

}  // namespace quintaro
