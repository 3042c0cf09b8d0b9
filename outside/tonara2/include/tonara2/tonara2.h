// The colour-processing framework: its records and exported functions.
//
// Objects follow the size-then-fill protocol: a create call without an object buffer answers
// the bytes the object needs; the caller allocates that many zeroed bytes and calls again with
// the buffer, which makes the object there (the answer is then non-zero on success, 0 on
// failure). Objects are made once per job and never move; converting rows allocates nothing.
// A free call leaves the buffer empty; the caller releases it.
//
// Rows are interleaved pixels of one or two-byte samples, as the object's hint chose: a hint
// whose low three bits are 7 makes objects for 16-bit samples (in the machine's order, which is
// little-endian), any other value for 8-bit samples. Source and destination may be the same row.
//
// The pixel form of an object is a word: bits 0-7 the bytes of a sample, bits 8-15 the samples
// of a source pixel, bits 16-23 the samples of a destination pixel. A query answers the forms the
// object was made for; a set call confirms them and chooses the destination pixel: RGB, or for
// the monochrome object one grey sample (kTnr2OutputGrey).
#pragma once

#include <cstdint>

extern "C" {

/// Tone curves: master, red, green and blue for colour (the monochrome curve in the first slot),
/// each 4096 16-bit samples over a 12-bit input, or null for the identity.
struct tnr2_tonecurve_t {
    const std::uint16_t* curve[4];
};

/// Colour balance as ink: cyan, magenta and yellow, -30 ... 30 each (the dialog's cyan-red,
/// magenta-green and yellow-blue values negated).
struct tnr2_balance_t {
    std::int16_t cyan;
    std::int16_t magenta;
    std::int16_t yellow;
};

/// Results of the calls that answer a status.
enum : std::int32_t {
    kTnr2Ok = 0,
    kTnr2BadArgument = -1,  ///< null pointer, unknown object, or a form the object was not made for
};

/// Hint bits that choose 16-bit rows.
inline constexpr std::uint32_t kTnr2HintDepthMask = 7;
inline constexpr std::uint32_t kTnr2Hint16Bit = 7;
/// Output choices of the set calls.
inline constexpr std::int32_t kTnr2OutputRgb = 0;
inline constexpr std::int32_t kTnr2OutputGrey = 10;

// Pre-processing: colour balance, grey tone, brightness, contrast, saturation (each -30 ... 30;
// saturation -30 leaves grey) and the tone curves, in a data space of the given gamma (2.2: the
// adjustments as they are).
std::uint32_t tnr2_create_preproc(const tnr2_balance_t* balance, std::int32_t saturation,
                                  std::int32_t contrast, std::int32_t brightness,
                                  std::int32_t greyTone, double gamma, std::uint32_t hint,
                                  void* object);
std::uint32_t tnr2_create_preproc2(const tnr2_balance_t* balance, const tnr2_tonecurve_t* curves,
                                   std::int32_t saturation, std::int32_t contrast,
                                   std::int32_t brightness, std::int32_t greyTone, double gamma,
                                   std::uint32_t hint, void* object);
std::int32_t tnr2_query_preproc_hint(const void* object, std::uint32_t* sourceForm,
                                     std::uint32_t* destinationForm);
std::int32_t tnr2_set_preproc_rgb(void* object, std::int32_t output, std::uint32_t sourceForm,
                                  std::uint32_t destinationForm);
/// Converts `pixels` pixels; `reserved` is 0. Answers kTnr2Ok.
std::int32_t tnr2_xform_preproc(const void* object, const void* source, std::int32_t reserved,
                                std::uint32_t pixels, void* destination);
std::int32_t tnr2_free_preproc(void* object);

// Monochrome: RGB to a grey (its luminance when `greyWeights` is 1, else the plain average)
// shaped by the tone curve, the gradation gamma (2.2 neutral), contrast, brightness, highlight
// and shadow (-30 ... 30 each) and white fog (0 ... 60: the deepest black lifted towards paper
// white), then toned: tone X (-100 ... 100) from cool to warm, tone Y (-40 ... 40) from magenta
// to green, most in the middle tones. `reserved1` and `reserved2` are 0.
std::uint32_t tnr2_create_monochrome(std::int32_t toneX, std::int32_t toneY, std::int32_t contrast,
                                     std::int32_t brightness, std::int32_t highlight,
                                     std::int32_t shadow, double gamma, std::int32_t whiteFog,
                                     std::uint32_t hint, void* object);
std::uint32_t tnr2_create_monochrome2(std::int32_t toneX, std::int32_t toneY, std::int32_t contrast,
                                      std::int32_t brightness, std::int32_t highlight,
                                      std::int32_t shadow, double gamma, std::int32_t whiteFog,
                                      std::int32_t greyWeights, std::int32_t reserved1,
                                      std::int32_t reserved2, const tnr2_tonecurve_t* curve,
                                      std::uint32_t hint, void* object);
std::int32_t tnr2_query_monochrome_hint(const void* object, std::uint32_t* sourceForm,
                                        std::uint32_t* destinationForm);
std::int32_t tnr2_set_monochrome_rgb(void* object, std::int32_t output, std::uint32_t sourceForm,
                                     std::uint32_t destinationForm);
std::int32_t tnr2_xform_monochrome(const void* object, const void* source, std::uint32_t pixels,
                                   void* destination);
std::int32_t tnr2_free_monochrome(void* object);
/// The printer's grey table of a monochrome object: the curve part `curve` (`length` bytes, as
/// tnr2_log cuts it) re-shaped by the object's tone, as one record {u8 0 for the job's table or
/// 1 for one that follows it (`follows`), u8 0, u16 sample count, the samples}. Without
/// `table` answers the record's bytes; with it writes them and answers the same; 0 on failure.
std::uint32_t tnr2_gen_monochrome_table2(const void* monochrome, const std::uint8_t* curve,
                                         std::uint32_t length, std::uint8_t* table,
                                         std::int32_t follows);

// First colour-space conversion: the working space into the medium's printer profile, as the
// conversion part names them (intent, working space, printer-profile file in the driver's
// profile folder). A part whose working space is 0 converts nothing.
std::uint32_t tnr2_create_csc1(std::uint32_t partLength, const std::uint8_t* part,
                               std::uint32_t hint, void* object);
std::int32_t tnr2_query_csc1_hint(const void* object, std::uint32_t* form);
std::int32_t tnr2_set_csc1_rgb(void* object, std::int32_t output, std::uint32_t form);
std::int32_t tnr2_xform_csc1(const void* object, const void* source, std::int32_t reserved,
                             std::uint32_t pixels, void* destination);
std::int32_t tnr2_free_csc1(void* object);

/// Cuts the part `name` out of a media-database table. Without `part` answers the part's
/// bytes; with it copies them and answers the same; 0 when the table does not hold the part
/// intact.
std::uint32_t tnr2_log(const std::uint8_t* table, std::uint8_t* part, const char* name);
}
