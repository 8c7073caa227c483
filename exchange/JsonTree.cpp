#include "JsonTree.h"

#include "datamodel/nodes/Node.h"

namespace {

constexpr const char* kModelKey = "Model";

// "line 1, column 9: not valid JSON: syntax error ..." from the parser's message; a
// message without a place (a number too large for a double) loses its "[json.exception...]".
std::string JsonParseMessage(const std::string& what) {
    const size_t at = what.find(" at line ");
    const size_t colon = what.find(": ", at == std::string::npos ? 0 : at);
    if (at == std::string::npos || colon == std::string::npos) {
        const size_t id = what.rfind("] ", what.find(' '));
        return "not valid JSON: " + (id == std::string::npos ? what : what.substr(id + 2));
    }
    return what.substr(at + 4, colon - at - 4) + ": not valid JSON: " + what.substr(colon + 2);
}

void Collect(const CTreeIndex& index, const Json& object, const std::string& prefix,
             std::vector<SLeafEdit>& edits, std::vector<std::string>& errors) {
    for (const auto& [key, value] : object.items()) {
        const std::string path = prefix.empty() ? key : prefix + "." + key;
        if (prefix.empty() && key == kModelKey)
            continue;
        const STreeLeaf* leaf = index.Find(path);
        if (value.is_object()) {
            if (leaf)
                errors.push_back(path + ": a field takes a text or a number, not an object");
            else if (index.Check(path) == EPathProblem::Group)
                Collect(index, value, path, edits, errors);
            else {
                std::string message;
                index.Check(path, &message);
                errors.push_back(message);
            }
            continue;
        }
        if (!leaf) {
            std::string message;
            index.Check(path, &message);
            errors.push_back(message);
            continue;
        }
        if (value.is_string())
            edits.push_back({leaf, value.get<std::string>(), path, true});
        else if (value.is_number_integer())
            edits.push_back({leaf, std::to_string(value.get<long long>()), path, true});
        else if (value.is_number())
            edits.push_back({leaf, value.dump(), path, true});
        else
            errors.push_back(path + ": takes a text or a number, not " +
                             std::string(value.type_name()));
    }
}

} // namespace

Json TreeToJson(const CTreeIndex& index, const std::vector<bool>* only) {
    Json root = Json::object();
    root[kModelKey] = ModelName(index.Model());
    const std::vector<STreeLeaf>& leaves = index.Leaves();
    for (size_t i = 0; i < leaves.size(); ++i) {
        if (only && (i >= only->size() || !(*only)[i])) continue;
        const STreeLeaf& leaf = leaves[i];
        Json* object = &root;
        size_t start = 0;
        for (size_t dot = leaf.path.find('.'); dot != std::string::npos;
             dot = leaf.path.find('.', start)) {
            object = &(*object)[leaf.path.substr(start, dot - start)];
            start = dot + 1;
        }
        Json& slot = (*object)[leaf.path.substr(start)];
        if (LeafTextIsNumber(*leaf.node))
            slot = leaf.node->GetValue();
        else
            slot = LeafText(*leaf.node);
    }
    return root;
}

std::vector<SLeafEdit> JsonEdits(const CTreeIndex& index, const Json& json,
                                 std::vector<std::string>& errors) {
    std::vector<SLeafEdit> edits;
    if (!json.is_object()) {
        errors.push_back("the JSON must be an object of the tree's groups");
        return edits;
    }
    const std::string model = ModelName(index.Model());
    if (json.contains(kModelKey)) {
        const Json& value = json[kModelKey];
        if (!value.is_string() || value.get<std::string>() != model) {
            errors.push_back(std::string(kModelKey) + ": the JSON holds " +
                             (value.is_string() ? value.get<std::string>() : value.dump()) +
                             " data but this file is " + model +
                             "; import it into a file of its own variant");
            return edits;
        }
    }
    Collect(index, json, "", edits, errors);
    return edits;
}

bool ParseJson(const std::string& text, Json& json, std::string& error) {
    try {
        json = Json::parse(text);
        return true;
    } catch (const Json::exception& e) { // a syntax error, or a number out of range
        error = JsonParseMessage(e.what());
        return false;
    }
}
