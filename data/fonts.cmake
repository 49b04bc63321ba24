# The german fonts and their list, rendered from the DejaVu faces.
tangrove_data_step(fonts
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TANGROVE_DATA_STAGE}/data/ui/fonts
  COMMAND fontbuild --set data/fonts/ge.txt ${TANGROVE_DATA_STAGE}/data/ui/fonts
  DEPENDS fontbuild data/fonts/ge.txt)
