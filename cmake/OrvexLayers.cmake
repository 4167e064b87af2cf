# The layers of src/, one per folder, with the arrows between them in src/LAYERS.
include(${CMAKE_CURRENT_LIST_DIR}/layer_rule.cmake)

# Headers are included from here ("platform/text.h"): a real folder, so editors find
# them without a build folder.
set(ORVEX_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ORVEX_SOURCE_ROOT}/LAYERS)
orvex_read_layers(${ORVEX_SOURCE_ROOT}/LAYERS)

# Every build checks the includes of src/ against the table before compiling a layer;
# the check reruns when a source file, the table or the rule changes.
list(TRANSFORM ORVEX_LAYER_FILE_PATTERNS PREPEND ${ORVEX_SOURCE_ROOT}/
     OUTPUT_VARIABLE ORVEX_LAYER_GLOBS)
file(GLOB_RECURSE ORVEX_LAYER_CHECKED CONFIGURE_DEPENDS ${ORVEX_LAYER_GLOBS})
set(ORVEX_LAYER_STAMP ${CMAKE_BINARY_DIR}/layer_rule.stamp)
add_custom_command(
  OUTPUT ${ORVEX_LAYER_STAMP}
  COMMAND ${CMAKE_COMMAND} -DORVEX_SRC=${ORVEX_SOURCE_ROOT} -P
          ${CMAKE_CURRENT_LIST_DIR}/layer_rule.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${ORVEX_LAYER_STAMP}
  DEPENDS ${ORVEX_LAYER_CHECKED} ${ORVEX_SOURCE_ROOT}/LAYERS
          ${CMAKE_CURRENT_LIST_DIR}/layer_rule.cmake
  COMMENT "Checking the includes of src/ against src/LAYERS"
  VERBATIM)
add_custom_target(orvex_layer_rule ALL DEPENDS ${ORVEX_LAYER_STAMP})

# orvex_layer(<target>): <target> belongs to the layer of the src/ folder that defines
# it. It and whatever links it include headers from src/, it links the layers its line
# of src/LAYERS names (so the links cannot drift from the table), and it is compiled
# after the check.
function(orvex_layer target)
  get_filename_component(layer ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  if(NOT layer IN_LIST ORVEX_LAYERS)
    message(FATAL_ERROR "src/${layer} has no line in src/LAYERS")
  endif()
  list(TRANSFORM ORVEX_LAYER_${layer} PREPEND orvex_ OUTPUT_VARIABLE below)
  target_include_directories(${target} PUBLIC ${ORVEX_SOURCE_ROOT})
  target_link_libraries(${target} PUBLIC ${below})
  add_dependencies(${target} orvex_layer_rule)
endfunction()
