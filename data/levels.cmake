# The level catalogue, the puzzles cut from photographs, the level map and
# the stages' totems; the menu background's layer list and the title's piece
# count. The same again for the small test catalogue in data/fixture, built
# into fixture_data beside the executable and kept out of the pack.

# tangrove_levels(NAME SOURCE ROOT STAGES): ROOT is the folder that holds
# "data"; one puzzle step per stage so that the stages are cut in parallel.
function(tangrove_levels name source root stages)
  file(GLOB catalogue CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${source}/levels/*.ini)
  set(menus ${CMAKE_SOURCE_DIR}/${source}/menus)
  tangrove_data_step(${name}_catalogue
    COMMAND ${CMAKE_COMMAND} -E make_directory ${root}/data/levels
    COMMAND ${CMAKE_COMMAND} -E copy ${catalogue} ${root}/data/levels
    COMMAND ${CMAKE_COMMAND} -E make_directory ${root}/data/ui/menus/background
    COMMAND ${CMAKE_COMMAND} -E copy ${menus}/background.ini ${root}/data/ui/menus/background
    COMMAND ${CMAKE_COMMAND} -E make_directory ${root}/data/ui/menus/models/background
    COMMAND ${CMAKE_COMMAND} -E copy ${menus}/title_ge.ini ${root}/data/ui/menus/models/background
    DEPENDS ${catalogue} ${menus}/background.ini ${menus}/title_ge.ini)
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
