// Reading a model description (JSON) into an SModelDescription, with every check that a
// model author's mistake should meet before any file is written.
//
// On failure the message names the file, the place in it and the reason, for example
//   model/panel/calculator.json: keys[13] ("8").matrix: row 9 is outside the key matrix (0
//   to 6, or -1, -1 for the key outside it)
// and the description is left as it was.
#pragma once

#include <string>

#include "tools/mkmodel/model_description.h"

// Reads the file at path. 1 on success; 0 with the message in error.
int ReadModelDescription(const std::string& path, SModelDescription& out, std::string& error);

// The same for a text already in memory; path is only used in messages.
int ParseModelDescription(const std::string& text, const std::string& path, SModelDescription& out,
                          std::string& error);
