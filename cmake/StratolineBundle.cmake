# strato_add_bundle(<target> NAME <Name> IDENTIFIER <id> VERSION <v> [SHORT_VERSION <v>]
#                   SOURCES <files...> [RESOURCES <files...>] [OUTPUT_DIRECTORY <dir>])
#
# Builds a loadable module as the bundle folder <dir>/<Name>.bundle/ holding Info.plist, the
# library <Name>.so and Resources/ with the given files.
set(STRATO_INFO_PLIST_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/Info.plist.in)

function(strato_add_bundle target)
  cmake_parse_arguments(ARG "" "NAME;IDENTIFIER;VERSION;SHORT_VERSION;OUTPUT_DIRECTORY"
                        "SOURCES;RESOURCES" ${ARGN})
  if(NOT ARG_OUTPUT_DIRECTORY)
    set(ARG_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  if(NOT ARG_SHORT_VERSION)
    set(ARG_SHORT_VERSION ${ARG_VERSION})
  endif()
  set(bundle_dir ${ARG_OUTPUT_DIRECTORY}/${ARG_NAME}.bundle)

  add_library(${target} MODULE ${ARG_SOURCES})
  set_target_properties(${target} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${bundle_dir}
    OUTPUT_NAME ${ARG_NAME}
    PREFIX ""
    SUFFIX ".so")

  set(BUNDLE_EXECUTABLE ${ARG_NAME}.so)
  set(BUNDLE_IDENTIFIER ${ARG_IDENTIFIER})
  set(BUNDLE_NAME ${ARG_NAME})
  set(BUNDLE_VERSION ${ARG_VERSION})
  set(BUNDLE_SHORT_VERSION ${ARG_SHORT_VERSION})
  configure_file(${STRATO_INFO_PLIST_TEMPLATE} ${bundle_dir}/Info.plist @ONLY)

  file(MAKE_DIRECTORY ${bundle_dir}/Resources)
  foreach(resource ${ARG_RESOURCES})
    get_filename_component(name ${resource} NAME)
    configure_file(${resource} ${bundle_dir}/Resources/${name} COPYONLY)
  endforeach()
  set_target_properties(${target} PROPERTIES STRATO_BUNDLE_DIR ${bundle_dir})
endfunction()

# strato_add_framework(<target> NAME <Name> IDENTIFIER <id> VERSION <v> [SHORT_VERSION <v>]
#                      ROOT <driver root> [VERSION_SCRIPT <file>])
#
# Builds a loadable module as the framework folder
# <root>/${STRATO_FRAMEWORKS_SUBDIR}/<Name>.framework/ holding Info.plist and the library
# <Name>.so; the caller gives the module its code. A version script limits what the module
# exports, so that a copy of a framework can lack one export.
function(strato_add_framework target)
  cmake_parse_arguments(ARG "" "NAME;IDENTIFIER;VERSION;SHORT_VERSION;ROOT;VERSION_SCRIPT" ""
                        ${ARGN})
  if(NOT ARG_SHORT_VERSION)
    set(ARG_SHORT_VERSION ${ARG_VERSION})
  endif()
  set(folder ${ARG_ROOT}/${STRATO_FRAMEWORKS_SUBDIR}/${ARG_NAME}.framework)

  add_library(${target} MODULE)
  set_target_properties(${target} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${folder}
    OUTPUT_NAME ${ARG_NAME}
    PREFIX ""
    SUFFIX ".so"
    STRATO_BUNDLE_DIR ${folder})
  if(ARG_VERSION_SCRIPT)
    # The GNU linker, whatever the build links with: it lets an exact name in the script's local
    # list win over the global pattern, which the hiding of single exports relies on.
    target_link_options(${target} PRIVATE -fuse-ld=bfd -Wl,--version-script=${ARG_VERSION_SCRIPT})
  endif()

  set(BUNDLE_EXECUTABLE ${ARG_NAME}.so)
  set(BUNDLE_IDENTIFIER ${ARG_IDENTIFIER})
  set(BUNDLE_NAME ${ARG_NAME})
  set(BUNDLE_VERSION ${ARG_VERSION})
  set(BUNDLE_SHORT_VERSION ${ARG_SHORT_VERSION})
  configure_file(${STRATO_INFO_PLIST_TEMPLATE} ${folder}/Info.plist @ONLY)
endfunction()
