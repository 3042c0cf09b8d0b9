// The names the core sends to the printer (job name, owner, the document name on the printer's
// panel, the name of a job stored in the printer's box): cut to the model's byte limits,
// converted into an encoding the model can show, and the user's language for the printer.
//
// Strings are byte strings in the system encoding (UTF-8) unless an encoding is named: counted
// strings (a length byte, then up to 255 bytes, in a buffer of 256) and NUL-terminated C
// strings. The encoding follows the user's region (`Get_RegionCode`) and the model's values:
// `PanelMessageMaxNum` 2 allows 40-byte panel names, `CODEType` 1 means the model takes
// multi-byte text, `Message_check_2byte` 1 skips the single-byte check. Text in the "Unicode"
// encoding is UTF-16 in host byte order; the packet module writes it big-endian on the wire.
#pragma once

#include <cstddef>
#include <cstdint>

struct ModelAtlasTbl;

/// What a transferred or cut string is used for.
inline constexpr std::int16_t kTransferJobName = 0;
inline constexpr std::int16_t kTransferOwner = 1;
inline constexpr std::int16_t kTransferPanelName = 2;
inline constexpr std::int16_t kTransferStoredJobName = 3;

/// Byte limits of the printer's names.
inline constexpr std::size_t kNameMaxBytes = 32;
inline constexpr std::size_t kPanelNameLongMaxBytes = 40;

/// Bytes of the buffer of a counted string, and of the C strings the transfer writes.
inline constexpr std::size_t kCountedStringBuffer = 256;

/// The text inserted into the name of a test-pattern job.
inline constexpr const char* kPatternPrintSuffix = "_Pattern-Print";

/// The printer's language code of a classic region code: 14 gives 1 (Japanese), 1 and 91 give 3
/// (French), 4 gives 4 (Italian), 3 gives 5 (German), 8 and 86 give 6 (Spanish), 52 gives 7
/// (simplified Chinese), 51 gives 8 (Korean), any other 2.
std::int16_t languageCodeForRegion(std::int16_t region);

/// The language code of the user's region.
std::int16_t PLG_GetLanguageCode_Mac();

/// The encoding of a transferred string: "Unicode" for the regions 51 and 52, Shift JIS for 14,
/// ISO Latin 1 otherwise; ASCII for the panel name (kind 2) of a model whose `CODEType` is not 1.
std::uint32_t transferEncoding(std::int16_t region, std::int16_t kind, std::int32_t codeType);

/// Converts the counted `source` into the encoding of the user's region, the model and `kind`
/// (`transferEncoding`), and writes it to `destination` (256 bytes) followed by a NUL, its byte
/// length (at most 255) to `lengthOut` when not null. A panel name containing any byte of 0x80 or
/// above is sent empty to a model whose `CODEType` is not 1; a source that is not UTF-8 or holds
/// a character the encoding lacks gives the empty string; a result that would pass 255 bytes is
/// cut after its last whole character. Returns 0.
std::int32_t PLGTransferString_Mac(const unsigned char* source, char* destination,
                                   std::uint16_t* lengthOut, const ModelAtlasTbl* model,
                                   std::int16_t kind);

/// Converts the counted `source` from UTF-8 into `encoding` as a counted string in
/// `destination`, whose buffer holds `maximum` bytes (at most 256, with the length byte); a
/// result too long is cut after its last whole character. A source that cannot be read or
/// converted leaves `destination` unchanged. Returns 0.
std::int32_t PLGEncodingCopyPascalWithEncoding_Mac(const unsigned char* source,
                                                   unsigned char* destination, std::size_t maximum,
                                                   std::uint32_t encoding);

/// As above in the encoding of the user's region: "Unicode" for 51 and 52, Shift JIS for 14,
/// ISO Latin 1 otherwise.
std::int32_t PLGEncodingCopyPascal_Mac(const unsigned char* source, unsigned char* destination,
                                       std::size_t maximum);

/// The twin for C strings: `destination` holds `maximum` bytes with the terminator (two zero
/// bytes for "Unicode", one otherwise).
std::int32_t PLGEncodingCopyCStringWithEncoding_Mac(const char* source, char* destination,
                                                    std::size_t maximum, std::uint32_t encoding);

/// The twin for C strings in the encoding of the user's region.
std::int32_t PLGEncodingCopyCString_Mac(const char* source, char* destination, std::size_t maximum);

/// 1 when each of the `length` bytes is below 0x80, else 0.
std::int32_t PLG_CheckStringASCII(const void* bytes, std::size_t length);

/// 1 when the C string is text in the system encoding (UTF-8), else 0 (also for null).
std::int32_t checkStringCString(const char* string);

/// 1 when the counted string is text in the system encoding (UTF-8), else 0 (also for null).
std::int32_t checkStringPascal(const unsigned char* string);

/// Empties the C string `string` (at most 255 bytes before its NUL) when the model checks
/// single-byte text (`Message_check_2byte` not 1) and some character of it is not one byte of
/// UTF-8, or it cannot be read as UTF-8 within 256 bytes.
void PLG_CheckStringBytes_Mac(char* string, const ModelAtlasTbl* model);

/// Cuts the counted `string` to the model's limit for `kind`: 40 bytes for any kind but the
/// owner when `PanelMessageMaxNum` is 2, else 32. A cut through a multi-byte character drops
/// the whole character, so the string stays valid UTF-8.
void PLG_CheckStringMaxBytes_Mac(unsigned char* string, const ModelAtlasTbl* model,
                                 std::int16_t kind);

/// Inserts "_Pattern-Print" into the counted `string` before its last ".", or appends it when
/// there is none. An empty string, one that is not UTF-8, or one whose result would pass 255
/// bytes is left unchanged.
void PLG_ChengePatternPrintName(unsigned char* string);
