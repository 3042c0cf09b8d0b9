# strato_export_own_headers(<target> <PUBLIC|INTERFACE> [NAME <folder>])
#
# Users of the target include "<folder>/<header>.h" (the folder defaults to the name of the
# current source folder). The exported include folder holds only a link to this folder, so
# linking the target opens no sibling folder: a library that needs another one links it.
function(strato_export_own_headers target scope)
  cmake_parse_arguments(ARG "" "NAME" "" ${ARGN})
  if(NOT ARG_NAME)
    get_filename_component(ARG_NAME ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  endif()
  set(root ${CMAKE_CURRENT_BINARY_DIR}/exported_headers)
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${ARG_NAME} SYMBOLIC)
  target_include_directories(${target} ${scope} ${root})
endfunction()
