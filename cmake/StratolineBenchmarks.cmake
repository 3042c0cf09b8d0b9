# strato_add_benchmark(<name> SOURCES <files...> LINK <targets...> [ARGS <arguments...>] [TIMEOUT <s>])
#
# Builds one benchmark program and registers it with CTest under the label `bench`, which the
# default test run excludes. Benchmarks are built only when asked for: -DBUILD_BENCHMARKS=ON.
option(BUILD_BENCHMARKS "Build the benchmark programs" OFF)

if(BUILD_BENCHMARKS)
  find_package(benchmark REQUIRED)
endif()

function(strato_add_benchmark name)
  if(NOT BUILD_BENCHMARKS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LINK;ARGS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINK} benchmark::benchmark)
  if(BUILD_TESTING)
    add_test(NAME ${name} COMMAND ${name} ${ARG_ARGS})
    set_tests_properties(${name} PROPERTIES LABELS bench)
    if(ARG_TIMEOUT)
      set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    endif()
  endif()
endfunction()
