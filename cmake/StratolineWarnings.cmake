# Every target of the project compiles warning-free.
add_compile_options(-Wall -Wextra -Werror)

# GCC 12 reports false overlaps and overflows inside inlined std::string and std::vector code at
# -O2 and above (GCC bugs 105651, 106199 and their kin, fixed in GCC 13), false uninitialised
# reads inside inlined std::optional code, such as an optional std::filesystem::path in an
# aggregate (GCC bug 80635 and its kin), and, at -Os, a false mismatch between a test's
# replacement operator new and its replacement operator delete once both are inlined (each pairs
# malloc with free). They stay warnings there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-error=restrict -Wno-error=array-bounds -Wno-error=stringop-overflow
                      -Wno-error=stringop-overread -Wno-error=maybe-uninitialized
                      -Wno-error=mismatched-new-delete)
endif()
