// What a fuzz target demands of the code it drives beyond not crashing: a broken expectation
// stops the run as a crash, so that libFuzzer keeps the input and a replay fails.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <source_location>

namespace testsupport {

inline void fuzzRequire(bool holds, const char* what,
                        std::source_location where = std::source_location::current()) {
    if (!holds) {
        std::fprintf(stderr, "%s:%u: fuzz expectation failed: %s\n", where.file_name(),
                     static_cast<unsigned>(where.line()), what);
        std::abort();
    }
}

}  // namespace testsupport
