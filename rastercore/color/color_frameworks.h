// The printer driver's media database and colour framework, bound by name for one job.
#pragma once

#include <cstdint>

#include "cf/bundle.h"

struct Color_Info;

/// Opens the bundles of the media database and the colour framework at their fixed paths under
/// the driver root into the record; 0, or 13010 when either cannot be opened.
std::int32_t bindColorFrameworks(Color_Info& info);

/// Releases the two bundles.
void releaseColorFrameworks(Color_Info& info);

/// The function `name` of a bundle as the type `Function`; null when the bundle is missing or
/// does not export it.
template <typename Function>
Function* frameworkFunction(cf::Bundle* bundle, const char* name) {
    return bundle != nullptr ? reinterpret_cast<Function*>(bundle->symbol(name)) : nullptr;
}

/// Binds a function of the media database or the colour framework by its own name, with the
/// type of its declaration.
#define BIND_FRAMEWORK_FUNCTION(bundle, name) frameworkFunction<decltype(name)>(bundle, #name)
