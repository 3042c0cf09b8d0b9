// The zone (interface name) given to link-local IPv6 printer addresses that name none.
#pragma once

#include <string>

/// Sets the zone; null or empty goes back to the automatic choice. Returns false, changing
/// nothing, for a name longer than an interface name (15 characters) or holding a character
/// that cannot stand in an address ("%", "/", "[", "]", "+", blanks, controls).
bool CoreSetLinkLocalZone(const char* zone);

/// The zone set, else the name of the up, non-loopback interface with the lowest index; empty
/// when there is none.
std::string CoreLinkLocalZone();
