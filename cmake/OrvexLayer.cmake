# orvex_layer(<target> [PRIVATE_HEADERS <header>...])
#
# Makes the library of one src/ folder a layer: its own sources include every header
# of the folder as "<folder>/<header>.h", while the targets that link it see only the
# folder's public headers (all but PRIVATE_HEADERS). So an include of a layer the
# target does not depend on, or of another layer's private header, fails to build.
# The headers are reached through symbolic links in the build folder.
function(orvex_layer target)
  cmake_parse_arguments(ARG "" "" "PRIVATE_HEADERS" ${ARGN})
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(public ${CMAKE_BINARY_DIR}/layers/public/${target})
  set(private ${CMAKE_BINARY_DIR}/layers/private/${target})
  file(REMOVE_RECURSE ${public} ${private})
  file(MAKE_DIRECTORY ${public}/${folder} ${private})
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(header IN LISTS headers)
    if(NOT header IN_LIST ARG_PRIVATE_HEADERS)
      file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${public}/${folder}/${header}
           SYMBOLIC)
    endif()
  endforeach()
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${private}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${public}> PRIVATE ${private})
endfunction()
