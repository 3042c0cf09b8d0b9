// What a fuzz target demands of the code it drives beyond not crashing: a broken expectation
// stops the run as a crash, so that libFuzzer keeps the input and a replay fails.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace testsupport {

// The caller's place comes from the builtins, which both compilers have (clang 14 has no
// std::source_location with this standard library).
inline void fuzzRequire(bool holds, const char* what, const char* file = __builtin_FILE(),
                        int line = __builtin_LINE()) {
    if (!holds) {
        std::fprintf(stderr, "%s:%d: fuzz expectation failed: %s\n", file, line, what);
        std::abort();
    }
}

}  // namespace testsupport
