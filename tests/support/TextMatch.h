// Whether a text holds a part: an assertion that shows the text either way.
#pragma once

#include <gtest/gtest.h>

#include <string>

inline ::testing::AssertionResult Has(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos)
        return ::testing::AssertionSuccess() << "\"" << part << "\" in: " << text;
    return ::testing::AssertionFailure() << "\"" << part << "\" not in: " << text;
}
