# The desktop library is a static archive of one architecture; the browser's
# is built from sources by the game's own build, so any Emscripten build
# takes it.
if(EMSCRIPTEN)
  include("${CMAKE_CURRENT_LIST_DIR}/Tovik2D2VersaoNavegador.cmake")
else()
  include("${CMAKE_CURRENT_LIST_DIR}/Tovik2D2VersaoDesktop.cmake")
endif()
