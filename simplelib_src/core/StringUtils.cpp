#include "core/StringUtils.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

int intToStringBufferSize(int value)
{
    if (value == 0)
        return 2;
    // Counted on the magnitude as a 64-bit value, so INT_MIN has a magnitude too.
    long long magnitude = std::llabs((long long)value);
    int digits = 0;
    for (; magnitude > 0; magnitude /= 10)
        digits++;
    return digits + 1 + (value < 0 ? 1 : 0);
}

char* intToString(int value)
{
    int size = intToStringBufferSize(value);
    char* buffer = new char[size];
    std::snprintf(buffer, size, "%d", value);
    return buffer;
}

wchar_t* toWide(const std::string& text)
{
    wchar_t* buffer = new wchar_t[text.size() + 1];
    size_t converted = std::mbstowcs(buffer, text.c_str(), text.size() + 1);
    if (converted == (size_t)-1) {
        // An invalid multibyte sequence: keep each byte as its own unit.
        for (size_t i = 0; i < text.size(); i++)
            buffer[i] = (unsigned char)text[i];
        buffer[text.size()] = 0;
    }
    return buffer;
}

std::string toNarrow(const std::wstring& text)
{
    std::string narrow(text.size(), '\0');
    for (size_t i = 0; i < text.size(); i++)
        narrow[i] = (char)(text[i] & 0xFF);
    return narrow;
}
