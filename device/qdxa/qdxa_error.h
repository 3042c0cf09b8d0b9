// Result codes of the QDXA packet codec: the printer's own results, the codec's results and the
// codes of the session and memory-handle services.
#pragma once

#include <cstdint>

/// Printer results that carry data.
inline constexpr std::int32_t kQDXASuccess = 1;       ///< the reply carries data
inline constexpr std::int32_t kQDXASuccessAlso = 4;   ///< success as well (lists: more may follow)
inline constexpr std::int32_t kQDXAMoreToFetch = 29;  ///< success; ask again for the rest

/// Results that the codec produces itself.
inline constexpr std::int32_t kQDXABadReply = 2;  ///< reply malformed or copy not made; give up
inline constexpr std::int32_t kQDXANoValidResult = 6;  ///< result flag clear or copy not made
inline constexpr std::int32_t kQDXASequenceMismatch =
    12;  ///< no reply to this request arrived in time
inline constexpr std::int32_t kQDXAUnknownAddressKind = 19;  ///< bind: endpoint kind not supported

/// Session and handle services.
inline constexpr std::int32_t kQDXANoErr = 0;
inline constexpr std::int32_t kQDXAMissingArgument = 15850;  ///< caller error: pass the argument
inline constexpr std::int32_t kQDXAOutOfMemory = 15851;      ///< allocation failed; retry later

/// Exchange: a missing argument, or a request that does not fit the send handle and was not sent.
inline constexpr std::int32_t kQDXAExchangeFailure = -1;

/// True for the protocol results that a printer reports per request (1 to 11 and 13 to 33);
/// false for 12 (no matching reply) and for everything else.
bool checkQDXAError(std::int32_t status);
