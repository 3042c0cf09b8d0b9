// "connect3.xml": the printer the dialog was last connected to, in that printer's folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// Reads Preferences/productFolder/printerShortName/"connect3.xml". 1 when the file holds
/// "ConnectPrinterVers" 100: every output given is set (a missing number as 0, a missing string
/// as none). Otherwise 0 and the outputs are untouched, as they are without a printer name.
std::int32_t LoadConnectPrinterFile(const char* printerShortName, std::int32_t* connectionTypeID,
                                    std::optional<std::string>* connectionTypeName,
                                    std::optional<std::string>* popupName,
                                    std::optional<std::string>* shortName,
                                    std::optional<std::string>* dbName, std::int32_t* printerID,
                                    const char* productFolder);

/// Writes Preferences/productFolder/shortName/"connect3.xml" with version 100 and the values.
void SaveConnectPrinterFile(std::int32_t connectionTypeID, std::string_view connectionTypeName,
                            std::string_view popupName, std::string_view shortName,
                            std::string_view dbName, std::int32_t printerID,
                            const char* productFolder);
