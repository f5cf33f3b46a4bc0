// Small string conversions shared by the whole engine.
#pragma once

#include <string>

// A newly allocated "%d" text of the value; the caller frees it with delete[].
// The buffer holds exactly the digits, the sign and the terminator.
char* intToString(int value);

// A newly allocated wide copy (multibyte conversion in the current locale); the caller
// frees it with delete[].
wchar_t* toWide(const std::string& text);

// A narrow string whose bytes are the low eight bits of each wide unit.
std::string toNarrow(const std::wstring& text);

// The size in bytes of the buffer intToString allocates for the value.
int intToStringBufferSize(int value);
