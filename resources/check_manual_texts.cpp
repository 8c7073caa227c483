// Checks the user manual against the program: every line of every message text the
// program shows (the string table and the model-change question) and the refusals the
// manual quotes as examples must appear in the manual word for word, and the manual
// must stay plain Markdown that the help window renders (no images, no HTML tags
// outside code).
//
// Usage: check_manual_texts MANUAL.md
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "datamodel/DataManagers.h"
#include "datamodel/Messages.h"
#include "datamodel/UserInteraction.h"
#include "datamodel/memmap/SettingSheets.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/Node.h"
#include "document/DocumentData.h"
#include "support/ScriptedInteraction.h"

namespace {

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The non-empty lines of a message, without their surrounding blanks.
std::vector<std::string> MessageLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (std::string trimmed = Trim(line); !trimmed.empty())
            lines.push_back(trimmed);
    return lines;
}

// Lines with an HTML tag or an image outside code (code blocks, code spans).
std::vector<std::string> MarkupProblems(const std::string& manual) {
    static const std::regex tag(R"(</?[A-Za-z][A-Za-z0-9-]*(\s[^<>]*)?/?>)");
    std::vector<std::string> problems;
    std::istringstream in(manual);
    bool fenced = false, inSpan = false, codeBlock = false, previousBlank = true;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const bool blank = Trim(line).empty();
        if (line.rfind("```", 0) == 0) {
            fenced = !fenced;
            previousBlank = false;
            continue;
        }
        // An indented code block starts after a blank line (list items indent their
        // continuation lines without one).
        codeBlock = !blank && line.rfind("    ", 0) == 0 && (previousBlank || codeBlock);
        previousBlank = blank;
        if (blank)
            inSpan = false; // a code span ends with its paragraph
        if (fenced || codeBlock)
            continue;
        // Text outside code spans; a span may go on to the next line.
        std::string outside;
        for (char c : line) {
            if (c == '`')
                inSpan = !inSpan;
            else if (!inSpan)
                outside += c;
        }
        if (outside.find("![") != std::string::npos)
            problems.push_back("line " + std::to_string(number) + ": an image: " + line);
        if (std::regex_search(outside, tag))
            problems.push_back("line " + std::to_string(number) + ": an HTML tag: " + line);
    }
    return problems;
}

// The message an edit dialog shows when a setting refuses a typed text: the label of
// its box and the field's reason. Empty when the text is taken.
std::string EditorRefusal(const std::string& path, const std::string& typed) {
    CScriptedInteraction ui;
    CTolvarDocumentData data(ui, ModelLMR);
    const CNode* node = data.Registry().Model()->GetNodeByPath(path);
    const size_t dot = path.rfind('.');
    std::string label = "?";
    for (const SSettingSheet& sheet : SettingSheets())
        for (const SSettingRow& row : sheet.rows)
            for (const SEditorField& editorField : row.fields)
                if (path.substr(0, dot) == sheet.node && path.substr(dot + 1) == editorField.field)
                    label = editorField.label;
    std::string reason;
    if (!node || CheckLeafText(*node, typed, reason))
        return {};
    return label + ": " + reason;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s MANUAL.md\n", argv[0]);
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    std::ostringstream content;
    content << file.rdbuf();
    const std::string manual = content.str();

    int checked = 0, failed = 0;
    auto expect = [&](const std::string& what, const std::string& text) {
        for (const std::string& line : MessageLines(text)) {
            ++checked;
            if (manual.find(line) == std::string::npos) {
                ++failed;
                std::printf("missing from the manual (%s): \"%s\"\n", what.c_str(), line.c_str());
            }
        }
    };
    // Every entry of the string table, also ones added later.
    int messages = 0;
    for (int id = 5000; id <= 5099; ++id) {
        const std::string& text = LoadMessage(static_cast<EMsg>(id));
        if (text.empty())
            continue;
        ++messages;
        expect("message " + std::to_string(id), text);
    }
    expect("model change question", kChangeModelText);
    // The refusals the manual shows for a timer and a beep frequency.
    for (const auto& [path, typed] : {std::pair{"CommonSet.Common.HangOnTim", "30.5"},
                                      std::pair{"CommonSet.Expert.BeepFreqL", "1700"}}) {
        const std::string refusal = EditorRefusal(path, typed);
        if (refusal.empty()) {
            ++checked;
            ++failed;
            std::printf("%s takes \"%s\": the manual's example is wrong\n", path, typed);
        }
        expect(std::string(path) + " refusal", refusal);
    }
    if (messages < 20) {
        std::printf("the string table holds only %d texts: the check would prove nothing\n",
                    messages);
        return 1;
    }
    for (const std::string& problem : MarkupProblems(manual)) {
        ++checked;
        ++failed;
        std::printf("not plain Markdown: %s\n", problem.c_str());
    }
    std::printf("%d passed, %d failed\n", checked - failed, failed);
    return failed == 0 ? 0 : 1;
}
