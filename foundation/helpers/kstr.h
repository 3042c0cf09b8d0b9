// Length-prefixed and C strings, and numbers as text. Strings of the Core Foundation kind are
// UTF-8 std::strings here; byte strings are in the system encoding.
#pragma once

#include <cstdint>
#include <string>

using Str255 = unsigned char[256];  ///< a length byte, then up to 255 bytes

class KStr {
  public:
    static int StrComp(const void* a, const void* b, int n);
    static void kCToPStr(unsigned char* prefixed, const char* cString);
    static void kPToCStr(char* cString, const unsigned char* prefixed);
    static int kStringCat(const unsigned char* a, unsigned char* b);
    static void ToUpper(char* cString);

    static std::string NumToCFString(std::int32_t n, std::string* out = nullptr);
    static std::string NumToCFStringEx(std::int32_t n, std::string* out = nullptr);
    static void NumToString(std::int32_t n, unsigned char* prefixed);
    static void NumToStringEx(std::int32_t n, unsigned char* prefixed);
    static void NumToCString(std::int32_t n, char* cString);
    static void CFStringToNum(const std::string& string, std::int32_t* n);
    static void StringToNum(const unsigned char* prefixed, std::int32_t* n);

    static constexpr int kCharBytesTooLong = -1;
    static constexpr int kCharBytesNotConvertible = -8738;
    /// 0 when the whole string converts to `encoding` in at most `byteLimit` bytes; -1 when it
    /// needs more; -8738 when a character does not convert or the string is empty.
    static int CharBytesCheck(const std::string& string, int encoding, int byteLimit);

    /// x truncated to `digits` (1 or 2) decimals and formatted with that many.
    static std::string FrNumToCfStr(double x, int digits);
    /// x formatted with `digits` (1 or 2) decimals, rounded by the formatter.
    static std::string FrNumToCfStr_Round(double x, int digits);
};
