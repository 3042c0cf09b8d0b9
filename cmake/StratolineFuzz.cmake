# strato_add_fuzz_target(<name> SOURCES <files...> [LINK <targets...>] CORPUS <folder>)
#
# One fuzz target: a source that defines LLVMFuzzerTestOneInput, and a folder of seed inputs.
#
# With -DFUZZ=ON (clang only) the target becomes a libFuzzer program in <build>/fuzzers, and every
# project library is built with coverage instrumentation, so the fuzzer sees inside the code it
# calls; scripts/fuzz builds the `fuzz_targets` target and runs each program. Otherwise the same
# source is linked with a driver that replays every file of the corpus, registered with CTest
# (label `fuzz`), so every build runs the seeds and any finding added to them.
option(FUZZ "Build the fuzz targets as libFuzzer programs (clang only)" OFF)

set(STRATO_FUZZ_LIST ${CMAKE_BINARY_DIR}/fuzz_targets.txt)
file(WRITE ${STRATO_FUZZ_LIST} "")

if(FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "FUZZ=ON needs clang (configure with CC=clang CXX=clang++)")
  endif()
  set(_fuzz_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined
                       -fno-omit-frame-pointer)
  add_compile_options(-fsanitize=fuzzer-no-link ${_fuzz_sanitizers})
  add_link_options(${_fuzz_sanitizers})
  add_custom_target(fuzz_targets)
else()
  add_library(fuzz_replay STATIC EXCLUDE_FROM_ALL
              ${CMAKE_CURRENT_LIST_DIR}/../testing/fuzz/fuzz_replay_main.cpp)
endif()

function(strato_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LINK" ${ARGN})
  if(NOT ARG_CORPUS OR NOT IS_DIRECTORY ${ARG_CORPUS})
    message(FATAL_ERROR "fuzz target ${name}: CORPUS must name its seed folder")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINK} test_support)
  if(FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
    add_dependencies(fuzz_targets ${name})
    file(APPEND ${STRATO_FUZZ_LIST} "${name} ${ARG_CORPUS}\n")
    add_test(NAME fuzz.${name} COMMAND ${name} -runs=0 ${ARG_CORPUS})
  else()
    target_link_libraries(${name} PRIVATE fuzz_replay)
    add_test(NAME fuzz.${name} COMMAND ${name} ${ARG_CORPUS})
  endif()
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 120)
endfunction()
