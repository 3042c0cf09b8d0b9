# strato_add_gtest(<name> SOURCES <files...> [LINK <targets...>] [LABELS <labels...>] [TIMEOUT <s>])
#
# Builds one GoogleTest program and registers each of its tests with CTest. A parameterised test
# is registered under the name its suite's name generator gives, never under a dump of the
# parameter's bytes: every INSTANTIATE_TEST_SUITE_P names its cases.
#
# LeakSanitizer reads the suppressions of system libraries' leaks from lsan_suppressions.txt;
# STRATO_TEST_ENVIRONMENT holds that setting for tests registered otherwise.
#
# The GoogleTest and gMock headers are precompiled once, in the tiny program strato_gtest_pch,
# and every test program reuses that header instead of parsing them again in each source.

set(STRATO_TEST_ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan_suppressions.txt:print_suppressions=0")

add_executable(strato_gtest_pch ${CMAKE_CURRENT_LIST_DIR}/gtest_pch.cpp)
target_link_libraries(strato_gtest_pch PRIVATE GTest::gtest GTest::gmock GTest::gtest_main)
target_compile_options(strato_gtest_pch PRIVATE ${STRATO_TEST_COMPILE_OPTIONS})
target_precompile_headers(strato_gtest_pch PRIVATE <gtest/gtest.h> <gmock/gmock.h>)

function(strato_add_gtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LINK;LABELS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINK} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_options(${name} PRIVATE ${STRATO_TEST_COMPILE_OPTIONS})
  target_precompile_headers(${name} REUSE_FROM strato_gtest_pch)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES
    PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT}
      ENVIRONMENT "${STRATO_TEST_ENVIRONMENT}")
endfunction()
