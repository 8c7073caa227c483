// The tree as JSON: nested objects following the tree, keys in tree order, the
// variant first ("Model"), fields as their texts or, without a text, integers.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "datamodel/memmap/TreeAccess.h"

using Json = nlohmann::ordered_json;

// The fields of the index nested as the tree, "Model" first; only: the fields marked
// there (by their place in the index), for a partial export.
Json TreeToJson(const CTreeIndex& index, const std::vector<bool>* only = nullptr);
// The edits a JSON document asks for, whole or partial; errors name the path.
std::vector<SLeafEdit> JsonEdits(const CTreeIndex& index, const Json& json,
                                 std::vector<std::string>& errors);
// Parses JSON text; false with a message that names the line and column ("line 1,
// column 9: not valid JSON: ...") when it is not JSON.
bool ParseJson(const std::string& text, Json& json, std::string& error);
