// Extents of a JWS symbol.
#include "formats/extents/extents.h"
#include "formats/extents/extents_drawing.h"
#include "formats/jws/jws_data.h"

namespace quintaro {

void ComputeExtents(TJwsData& doc, DrawingExtents& shared) {
  // A symbol always starts from its reference point, figures or not.
  ExtentsSeed(shared, doc.Header.RefX, doc.Header.RefY, 1.0);
  extents::AddDrawing(static_cast<const TJwsEntityList&>(doc), doc.BlockDefs, doc.BlockTree,
                      shared);
  doc.Extents = shared;
}

}  // namespace quintaro
