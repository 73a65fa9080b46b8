#include "layers/census.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "formats/jws/jws_data.h"
#include "formats/jww/jww_data.h"
#include "layers/census_lists.h"

namespace quintaro {

namespace {

int Clamp(std::int64_t v) {
  return static_cast<int>(std::min<std::int64_t>(v, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

namespace census {

LayerCensusResult Tally::Result() const {
  LayerCensusResult r;
  r.lines = Clamp(lines);
  r.arcs = Clamp(arcs);
  r.points = Clamp(points);
  r.temporaryPoints = Clamp(temporaryPoints);
  r.texts = Clamp(texts);
  r.dimensions = Clamp(dimensions);
  r.solids = Clamp(solids);
  r.blocks = Clamp(blocks);
  r.linesInBlocks = Clamp(linesInBlocks);
  r.arcsInBlocks = Clamp(arcsInBlocks);
  r.pointsInBlocks = Clamp(pointsInBlocks);
  r.temporaryPointsInBlocks = Clamp(temporaryPointsInBlocks);
  r.textsInBlocks = Clamp(textsInBlocks);
  r.dimensionsInBlocks = Clamp(dimensionsInBlocks);
  r.solidsInBlocks = Clamp(solidsInBlocks);
  return r;
}

}  // namespace census

int LayerCensusResult::Direct() const {
  return Clamp(std::int64_t{lines} + arcs + points + temporaryPoints + texts + dimensions + solids +
               blocks);
}

int LayerCensusResult::InBlocks() const {
  return Clamp(std::int64_t{linesInBlocks} + arcsInBlocks + pointsInBlocks +
               temporaryPointsInBlocks + textsInBlocks + dimensionsInBlocks + solidsInBlocks);
}

int LayerCensusResult::Total() const {
  return Clamp(std::int64_t{Direct()} + InBlocks());
}

LayerCensusResult LayerCensus(const TJwwData& doc, int groupFilter, int layerFilter) {
  const census::LayerFilter f{groupFilter, layerFilter};
  census::Tally t;
  census::CountMainList<TEntJwwMoji>(doc, f, t);
  census::CountPlacedBlocks(doc.BlockDefs, doc.BlockTree, f, t);
  return t.Result();
}

LayerCensusResult LayerCensus(const TJwsData& doc, int groupFilter, int layerFilter) {
  const census::LayerFilter f{groupFilter, layerFilter};
  census::Tally t;
  census::CountMainList<TEntJwwMoji2>(doc, f, t);
  census::CountPlacedBlocks(doc.BlockDefs, doc.BlockTree, f, t);
  return t.Result();
}

int GroupTotal(const TJwwData& doc, int group) {
  return LayerCensus(doc, group, -1).Total();
}
int GroupTotal(const TJwsData& doc, int group) {
  return LayerCensus(doc, group, -1).Total();
}
int LayerTotal(const TJwwData& doc, int group, int layer) {
  return LayerCensus(doc, group, layer).Total();
}
int LayerTotal(const TJwsData& doc, int group, int layer) {
  return LayerCensus(doc, group, layer).Total();
}

}  // namespace quintaro
