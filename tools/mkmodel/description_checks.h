// The checks a description must pass beyond the form of its fields: sizes that make sense,
// parts that lie inside each other, names, values and positions that are unique.
#pragma once

#include "tools/mkmodel/model_description.h"

// Throws SDescriptionError (json_fields.h) naming the place of the first problem found.
void CheckModelDescription(const SModelDescription& d);
