# The default data set, built from data/ by the programs in tools/.
#
# Every producer writes its files below TANGROVE_DATA_STAGE, laid out as the
# game opens them ("data/ui/...", lower case), and registers its step with
# tangrove_data_step. The last step packs the whole staged tree into
# "data/pack0.pak" beside the executable, which also marks the build folder
# as the installation folder.
#
# Each data area keeps its steps in a file data/<area>.cmake, so that areas
# can be added without editing this file.

set(TANGROVE_DATA_STAGE ${CMAKE_BINARY_DIR}/data_stage)
set(TANGROVE_DATA_STAMPS ${CMAKE_BINARY_DIR}/data_stamps)

# tangrove_data_step(NAME COMMAND cmd args... [COMMAND ...] DEPENDS files/targets...)
# Runs the commands from the source folder whenever a dependency changes.
# List the tool targets the commands run among DEPENDS.
function(tangrove_data_step name)
  cmake_parse_arguments(D "" "" "DEPENDS" ${ARGN})
  set(stamp ${TANGROVE_DATA_STAMPS}/${name}.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TANGROVE_DATA_STAGE}/data
    ${D_UNPARSED_ARGUMENTS}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${D_DEPENDS}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Building data: ${name}"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY TANGROVE_DATA_STAMP_LIST ${stamp})
endfunction()

function(tangrove_data)
  file(MAKE_DIRECTORY ${TANGROVE_DATA_STAMPS} ${TANGROVE_DATA_STAGE}/data)
  file(GLOB areas CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*.cmake)
  foreach(area IN LISTS areas)
    include(${area})
  endforeach()
  get_property(stamps GLOBAL PROPERTY TANGROVE_DATA_STAMP_LIST)
  set(pak ${CMAKE_BINARY_DIR}/data/pack0.pak)
  add_custom_command(OUTPUT ${pak}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/data
    COMMAND pack ${pak} ${TANGROVE_DATA_STAGE}
    DEPENDS ${stamps} pack
    COMMENT "Packing the data set"
    VERBATIM)
  add_custom_target(tangrove_data ALL DEPENDS ${pak})
endfunction()
