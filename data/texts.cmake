# The german text tables, as written.
file(GLOB tangrove_texts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/texts/ge/*.ini)
tangrove_data_step(texts
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TANGROVE_DATA_STAGE}/data/ui/texts/ge
  COMMAND ${CMAKE_COMMAND} -E copy ${tangrove_texts} ${TANGROVE_DATA_STAGE}/data/ui/texts/ge
  DEPENDS ${tangrove_texts})
