// UTF-8 text to and from the UTF-16 of the Windows API (Windows builds only).
#pragma once

#include <string>

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
