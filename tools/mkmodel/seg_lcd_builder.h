// The segment LCD set of a model: one layout per LCD layout of the description, each with
// its segment picture and a segment table of one record for every (column, row) the
// display refresh can produce.
#pragma once

#include <string>
#include <vector>

#include "tools/mkmodel/model_description.h"
#include "tools/mkmodel/segment_picture.h"

class CSegLcdDatSet;

// Paints the segment picture of every layout. 0 with the reason in error.
int PaintSegmentPictures(const SModelDescription& d, std::vector<SSegmentPicture>& out,
                         std::string& error);

// 0 when a picture cannot be stored.
int BuildSegLcdSet(const SModelDescription& d, const std::vector<SSegmentPicture>& pictures,
                   CSegLcdDatSet& out);
