# The level catalogue, the puzzles cut from photographs, the level map and
# the stages' totems. The same again for the small test catalogue in
# data/fixture, built into fixture_data beside the executable and kept out of
# the pack.

# tangrove_levels(NAME SOURCE ROOT STAGES): ROOT is the folder that holds
# "data"; one puzzle step per stage so that the stages are cut in parallel.
function(tangrove_levels name source root stages)
  file(GLOB catalogue CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${source}/levels/*.ini)
  set(menus ${CMAKE_SOURCE_DIR}/${source}/menus)
  # The shipped menu background's list and title pieces come with their
  # models from the art tables; only the test catalogue brings its own.
  set(menu_commands)
  set(menu_files)
  if(EXISTS ${menus}/background.ini)
    list(APPEND menu_commands
      COMMAND ${CMAKE_COMMAND} -E make_directory ${root}/data/ui/menus/background
      COMMAND ${CMAKE_COMMAND} -E copy ${menus}/background.ini ${root}/data/ui/menus/background
      COMMAND ${CMAKE_COMMAND} -E make_directory ${root}/data/ui/menus/models/background
      COMMAND ${CMAKE_COMMAND} -E copy ${menus}/title_ge.ini ${root}/data/ui/menus/models/background)
    list(APPEND menu_files ${menus}/background.ini ${menus}/title_ge.ini)
  endif()
  tangrove_data_step(${name}_catalogue
    COMMAND ${CMAKE_COMMAND} -E make_directory ${root}/data/levels
    COMMAND ${CMAKE_COMMAND} -E copy ${catalogue} ${root}/data/levels
    ${menu_commands}
    DEPENDS ${catalogue} ${menu_files})
  tangrove_data_step(${name}_map
    COMMAND mapgen ${source}/levels ${root}/data/ui/menus/map/map.gmf
            ${source}/levels/totems.txt ${root}/data/game_objects/mini_game/textures
    DEPENDS mapgen ${catalogue} ${source}/levels/totems.txt)
  math(EXPR last "${stages} - 1")
  foreach(stage RANGE ${last})
    tangrove_data_step(${name}_puzzles_${stage}
      COMMAND puzzlegen ${source}/levels/puzzles.txt ${root}/data/puzzles --only s${stage}_
      DEPENDS puzzlegen ${source}/levels/puzzles.txt)
  endforeach()
endfunction()

tangrove_levels(levels data ${TANGROVE_DATA_STAGE} 8)
tangrove_levels(fixture_levels data/fixture ${CMAKE_BINARY_DIR}/fixture_data 2)
