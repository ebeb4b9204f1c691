# Tovik2D 2 for the browser, from the installed package: the library built
# from its installed sources by the game's own build, under the same target
# name as on the desktop, carrying the browser's link options, and the page
# function t2d2_pagina_web. The package's configuration names the installed
# folders (T2D2_INSTALADO_INCLUDE, T2D2_INSTALADO_FONTES).
include(${T2D2_INSTALADO_FONTES}/web/plataforma.cmake)
if(TARGET Tovik2D2::tovik2d2)
  return()
endif()

# The public headers are seen through a folder of their own: the installed
# include folder may be /usr/include, whose host headers would stand in
# for Emscripten's.
set(t2d2_cabecalhos ${CMAKE_BINARY_DIR}/t2d2_cabecalhos)
file(MAKE_DIRECTORY ${t2d2_cabecalhos})
file(CREATE_LINK ${T2D2_INSTALADO_INCLUDE}/t2d2 ${t2d2_cabecalhos}/t2d2
  SYMBOLIC)

file(GLOB t2d2_fontes ${T2D2_INSTALADO_FONTES}/src/*.cpp)
add_library(t2d2_tovik2d2 STATIC ${t2d2_fontes})
target_compile_features(t2d2_tovik2d2 PUBLIC cxx_std_17)
target_include_directories(t2d2_tovik2d2
  PUBLIC ${t2d2_cabecalhos}
  PRIVATE ${T2D2_INSTALADO_FONTES}/src)
target_link_libraries(t2d2_tovik2d2 PUBLIC t2d2_navegador)
add_library(Tovik2D2::tovik2d2 ALIAS t2d2_tovik2d2)
unset(t2d2_fontes)
unset(t2d2_cabecalhos)
