// Collects the print queues of the machine that drive a printer of the family and a given model:
// the printer's name from the queue's device URI, the model from the queue's PPD, the connection
// kind from the URI.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "helpers/kmenu.h"
#include "printing/ppd.h"

/// URL types of device URIs.
enum UrlType : std::int32_t {
    kUrlUnusable = 0,
    kUrlBonjour = 1,
    kUrlDnsSd = 2,
    kUrlIp = 3,
    kUrlUsb = 4,
    kUrlIpv6 = 5,
    kUrlFireWire = 6,
};

/// Connection kinds of the printer list ("menuValue2").
enum ConnectKind : std::int32_t {
    kConnectIp = 1,
    kConnectIpv6 = 2,
    kConnectDnsSd = 3,
    kConnectBonjour = 4,
    kConnectUsb = 5,
    kConnectFireWire = 6,
    kConnectAppleTalk = 7,
};

/// The PPD keyword naming the printer family, and the family's value.
inline constexpr char kPpdFamilyKeyword[] = "VQPDLType";
inline constexpr char kPpdFamily[] = "TARN";
/// The PPD keyword naming the model.
inline constexpr char kPpdModelKeyword[] = "VQPrinterName";
/// The use-backend value of a model that prints through the maker's backend.
inline constexpr std::int32_t kThroughMakersBackend = 1;

class kMakePrinterList_ZORVEX_common_V600_PS {
  public:
    /// Appends to `workList` one item per local queue of the family and `modelName` whose
    /// device URI gives a usable type and a printer name not listed yet: {name, model, model,
    /// type id, connection kind, enabled}.
    void create(MenuDataArray workList, const char* modelName);

    /// The value of the PPD's first attribute named `keyword`; none when the PPD has no
    /// attributes, lacks the keyword or its first such attribute has no value.
    std::optional<std::string> getPPDValue(const printing::Ppd& ppd, const char* keyword) const;

    /// The model's use-backend value from its capability record (GetUseBackendFlag); 1 when it
    /// has none.
    std::int32_t getUseBackend(std::int32_t typeID) const;

    /// The URL type of a device URI: the maker's backend by its "?usb", "?fw", "?ipv6", "?ip"
    /// and "?bon" options; the system's backends by scheme, where a model that prints through
    /// its backend (`useBackend` 1) cannot use the system's USB and Bonjour ones.
    static UrlType getUrlType(std::string_view uri, std::int32_t useBackend);

    /// The connection kind of a URL type.
    static ConnectKind getConnectType(std::int32_t urlType);

    /// The printer name that a device URI holds, with its percent escapes of space, colon,
    /// percent sign and parentheses decoded (at most 511 bytes); none when the URI holds none.
    static std::optional<std::string> getPrinterNameFromDeviceURI(std::string_view uri,
                                                                  std::int32_t useBackend);
};
