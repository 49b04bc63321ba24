# The art of the data set: models, materials, pictures and particle systems
# drawn by modelgen from the tables in data/models, one step per table so
# that the tables build side by side.
file(GLOB art_tables CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/models/*.txt)
file(GLOB art_particles CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/particles/*.txt)
foreach(table IN LISTS art_tables)
  get_filename_component(name ${table} NAME_WE)
  # The text tables whose words a recipe draws ("texts=FILE").
  file(STRINGS ${table} text_lines REGEX "texts=")
  set(art_texts)
  foreach(line IN LISTS text_lines)
    string(REGEX MATCH "texts=[^ \t]+" option "${line}")
    string(REPLACE "texts=" "" text_file "${option}")
    list(APPEND art_texts ${CMAKE_SOURCE_DIR}/${text_file})
  endforeach()
  tangrove_data_step(art_${name}
    COMMAND modelgen ${TANGROVE_DATA_STAGE} ${table}
    DEPENDS modelgen ${table} ${art_particles} ${art_texts})
endforeach()

# The background's layer list, written by hand: a record with a particle
# system shows only its particles (its model just carries the emitter), so
# the meadow and its pollen are two records.
tangrove_data_step(art_background_list
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TANGROVE_DATA_STAGE}/data/ui/menus/background
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/background/background.ini
          ${TANGROVE_DATA_STAGE}/data/ui/menus/background/background.ini
  DEPENDS ${CMAKE_SOURCE_DIR}/data/background/background.ini)

# The system cursors, compiled into the executable: a
# header of pixel arrays in the build folder, included as
# "generated/CursorArt.h".
set(cursor_header ${CMAKE_BINARY_DIR}/generated/generated/CursorArt.h)
add_custom_command(OUTPUT ${cursor_header}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated/generated
  COMMAND modelgen --cursor-header ${cursor_header}
  DEPENDS modelgen
  COMMENT "Drawing the system cursors"
  VERBATIM)
add_custom_target(tangrove_cursor_art DEPENDS ${cursor_header})
add_dependencies(tangrove tangrove_cursor_art)
target_include_directories(tangrove PRIVATE ${CMAKE_BINARY_DIR}/generated)

# Pictures of the art as the engine draws it, for looking at: every scene of
# tools/artview/scenes rendered into <build>/art_screens/*.png. Not part of
# the default build.
file(GLOB art_scenes CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/artview/scenes/*.txt)
set(art_screen_pictures)
foreach(scene IN LISTS art_scenes)
  get_filename_component(name ${scene} NAME_WE)
  set(png ${CMAKE_BINARY_DIR}/art_screens/${name}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/art_screens
    COMMAND artview ${TANGROVE_DATA_STAGE} ${scene} ${png}
    DEPENDS artview ${scene} ${art_scenes} ${CMAKE_BINARY_DIR}/data/pack0.pak
    COMMENT "Drawing ${name}.png"
    VERBATIM)
  list(APPEND art_screen_pictures ${png})
endforeach()
add_custom_target(art_screens DEPENDS ${art_screen_pictures})
