// What the harnesses share: the check that ends a run on a broken rule, and texts for
// its messages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Prints what broke and aborts, so libFuzzer keeps the input as a crash.
[[noreturn]] void FuzzFail(const char* file, int line, const char* rule,
                           const std::string& detail);
#define FUZZ_CHECK(rule, detail)                                                           \
    do {                                                                                   \
        if (!(rule))                                                                       \
            FuzzFail(__FILE__, __LINE__, #rule, (detail));                                 \
    } while (0)

// A text for messages: printable ASCII as it is, everything else as \xNN, cut at max.
std::string Printable(const std::string& text, size_t max = 200);

// Bytes as a text, for comparing and for messages.
inline std::string Text(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }
