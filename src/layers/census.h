// Element counts per layer group and layer.
//
// A figure matches a filter (group, layer) when the filter's group is -1 or
// the figure's group, and the filter's layer is -1 or the figure's layer.
// JWW and JWS also count the members of placed block definitions: once per
// placement, on the placement's layer, or on their own layer when bit 0x40
// of the placement's PenStyle is set.
#pragma once

#include <array>
#include <cstdint>

namespace quintaro {

class TJwwData;
class TJwsData;
class TJwcData;
class TJwkData;

struct LayerCensusResult {
  std::int32_t lines = 0;
  std::int32_t arcs = 0;
  std::int32_t points = 0;
  std::int32_t temporaryPoints = 0;  // JWC: used point slots; JWK: always 0
  std::int32_t texts = 0;
  std::int32_t dimensions = 0;
  std::int32_t solids = 0;
  std::int32_t blocks = 0;  // block insertions of the main list
  std::int32_t linesInBlocks = 0;
  std::int32_t arcsInBlocks = 0;
  std::int32_t pointsInBlocks = 0;
  std::int32_t temporaryPointsInBlocks = 0;
  std::int32_t textsInBlocks = 0;
  std::int32_t dimensionsInBlocks = 0;
  std::int32_t solidsInBlocks = 0;

  // Figures drawn directly / members of placed blocks (each capped at the
  // int32 maximum).
  int Direct() const;
  int InBlocks() const;
  // The sum of all counters.
  int Total() const;
  friend bool operator==(const LayerCensusResult&, const LayerCensusResult&) = default;
};

// groupFilter and layerFilter: 0..15, or -1 for any.
LayerCensusResult LayerCensus(const TJwwData& doc, int groupFilter, int layerFilter);
LayerCensusResult LayerCensus(const TJwsData& doc, int groupFilter, int layerFilter);
LayerCensusResult LayerCensus(const TJwcData& doc, int groupFilter, int layerFilter);
LayerCensusResult LayerCensus(const TJwkData& doc, int groupFilter, int layerFilter);

// Totals of every group and layer, gathered in one pass over the drawing
// (the same numbers as GroupTotal and LayerTotal, which pass once each).
class LayerTotals {
 public:
  int Group(int group) const;
  int Layer(int group, int layer) const;

 private:
  friend struct LayerTotalsBuilder;
  std::array<int, 16> groups_{};
  std::array<int, 256> layers_{};
};

LayerTotals CensusAllLayers(const TJwwData& doc);
LayerTotals CensusAllLayers(const TJwsData& doc);
LayerTotals CensusAllLayers(const TJwcData& doc);
LayerTotals CensusAllLayers(const TJwkData& doc);

// Total of LayerCensus(doc, group, -1).
int GroupTotal(const TJwwData& doc, int group);
int GroupTotal(const TJwsData& doc, int group);
int GroupTotal(const TJwcData& doc, int group);
int GroupTotal(const TJwkData& doc, int group);

// Total of LayerCensus(doc, group, layer).
int LayerTotal(const TJwwData& doc, int group, int layer);
int LayerTotal(const TJwsData& doc, int group, int layer);
int LayerTotal(const TJwcData& doc, int group, int layer);
int LayerTotal(const TJwkData& doc, int group, int layer);

}  // namespace quintaro
