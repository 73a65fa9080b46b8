#include "layers/census.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

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

Tally& Tally::operator+=(const Tally& o) {
  lines += o.lines;
  arcs += o.arcs;
  points += o.points;
  temporaryPoints += o.temporaryPoints;
  texts += o.texts;
  dimensions += o.dimensions;
  solids += o.solids;
  blocks += o.blocks;
  linesInBlocks += o.linesInBlocks;
  arcsInBlocks += o.arcsInBlocks;
  pointsInBlocks += o.pointsInBlocks;
  temporaryPointsInBlocks += o.temporaryPointsInBlocks;
  textsInBlocks += o.textsInBlocks;
  dimensionsInBlocks += o.dimensionsInBlocks;
  solidsInBlocks += o.solidsInBlocks;
  return *this;
}

}  // namespace census

struct LayerTotalsBuilder {
  static LayerTotals From(const census::TableSink& s) {
    LayerTotals r;
    for (std::size_t g = 0; g < 16; ++g) {
      census::Tally group;
      for (std::size_t l = 0; l < 16; ++l) {
        const census::Tally& t = s.tallies[g * 16 + l];
        r.layers_[g * 16 + l] = t.Result().Total();
        group += t;
      }
      r.groups_[g] = group.Result().Total();
    }
    return r;
  }
};

int LayerTotals::Group(int group) const {
  return group >= 0 && group < 16 ? groups_[static_cast<std::size_t>(group)] : 0;
}

int LayerTotals::Layer(int group, int layer) const {
  if (group < 0 || group > 15 || layer < 0 || layer > 15) return 0;
  return layers_[static_cast<std::size_t>(group * 16 + layer)];
}

LayerTotals census::TotalsOf(const TableSink& sink) {
  return LayerTotalsBuilder::From(sink);
}

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

namespace {

template <class Data>
LayerCensusResult FilteredCensus(const Data& doc, int groupFilter, int layerFilter) {
  census::FilterSink s{groupFilter, layerFilter, {}};
  census::CountJww(doc, s);
  return s.tally.Result();
}

template <class Data>
LayerTotals AllLayers(const Data& doc) {
  auto s = std::make_unique<census::TableSink>();
  census::CountJww(doc, *s);
  return census::TotalsOf(*s);
}

}  // namespace

LayerCensusResult LayerCensus(const TJwwData& doc, int groupFilter, int layerFilter) {
  return FilteredCensus(doc, groupFilter, layerFilter);
}
LayerCensusResult LayerCensus(const TJwsData& doc, int groupFilter, int layerFilter) {
  return FilteredCensus(doc, groupFilter, layerFilter);
}
LayerTotals CensusAllLayers(const TJwwData& doc) {
  return AllLayers(doc);
}
LayerTotals CensusAllLayers(const TJwsData& doc) {
  return AllLayers(doc);
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
