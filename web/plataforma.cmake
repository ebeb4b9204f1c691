# Tovik2D 2 on Emscripten: the emulation's SDL 1.2, SDL_image, SDL_mixer and
# fixed-function OpenGL, with Asyncify so that the frame wait can hand the
# page its turn. Every program linked with the library gets these options.
#
# A program does not start by itself: its page starts it after the player's
# click (the gesture a browser needs before it plays sound) and, when it
# returns, ends it with exit(), as a desktop's C runtime does, so that the
# handlers registered with atexit run (the audio's shut-down among them).
#
# This file and the page's files beside it are installed with the library's
# development files: a game built against the installed package includes it
# from the package's configuration, the same way this project does.
include_guard(GLOBAL)

add_library(t2d2_navegador INTERFACE)
target_link_options(t2d2_navegador INTERFACE
  -sLEGACY_GL_EMULATION
  -sASYNCIFY
  -sASYNCIFY_IMPORTS=t2d2_espera_quadro
  -sALLOW_MEMORY_GROWTH
  -sEXIT_RUNTIME
  -sINVOKE_RUN=0
  -sEXPORTED_FUNCTIONS=_main,_exit
  -sEXPORTED_RUNTIME_METHODS=ccall
  -sGL_SUPPORT_AUTOMATIC_ENABLE_EXTENSIONS=0
  --use-preload-plugins
  "SHELL:--js-library ${CMAKE_CURRENT_LIST_DIR}/tovik2d2_navegador.js")
set_property(TARGET t2d2_navegador APPEND PROPERTY INTERFACE_LINK_DEPENDS
  ${CMAKE_CURRENT_LIST_DIR}/tovik2d2_navegador.js)
set(T2D2_DEPENDENCIAS t2d2_navegador)
set(T2D2_PLATAFORMA_WEB ${CMAKE_CURRENT_LIST_DIR})

# A file or a folder the program reads, seen by the program as destino.
# Pictures and other files go in the data package, decoded by the browser
# before the program starts. Sounds are only needed when they play, so they
# stay out of it: they are copied beside the program, whose page fetches
# them once the program can start (tovik2d2_navegador.js).
function(t2d2_pre_carrega alvo origem destino)
  if(IS_DIRECTORY ${origem})
    file(GLOB arquivos ${origem}/*)
    foreach(arquivo ${arquivos})
      get_filename_component(nome ${arquivo} NAME)
      t2d2_pre_carrega(${alvo} ${arquivo} ${destino}/${nome})
    endforeach()
  elseif(origem MATCHES "\\.(wav|ogg|mp3)$")
    t2d2_busca_depois(${alvo} ${origem} ${destino})
  elseif(origem MATCHES "\\.png$")
    t2d2_png_menor(${alvo} ${origem} ${destino} menor)
    t2d2_pre_carrega(${alvo} ${menor} ${destino})
  else()
    target_link_options(${alvo} PRIVATE
      "SHELL:--preload-file ${origem}@${destino}")
    set_property(TARGET ${alvo} PROPERTY T2D2_DADOS ON)
    set_property(TARGET ${alvo} APPEND PROPERTY LINK_DEPENDS ${origem})
  endif()
endfunction()

# The package carries a copy of each PNG deflated harder (the same pixels),
# made again only when the original or the tool changed since the copy.
find_program(T2D2_NODE node REQUIRED)
function(t2d2_png_menor alvo origem destino saida)
  set(menor ${CMAKE_BINARY_DIR}/png_menores/${alvo}${destino}.menor)
  set(ferramenta ${T2D2_PLATAFORMA_WEB}/png_menor.mjs)
  if(NOT EXISTS ${menor} OR ${origem} IS_NEWER_THAN ${menor} OR
     ${ferramenta} IS_NEWER_THAN ${menor})
    get_filename_component(pasta ${menor} DIRECTORY)
    file(MAKE_DIRECTORY ${pasta})
    execute_process(COMMAND ${T2D2_NODE} ${ferramenta} ${origem} ${menor}
      RESULT_VARIABLE erro)
    if(erro)
      message(FATAL_ERROR "Could not recompress ${origem}")
    endif()
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${origem} ${ferramenta})
  set(${saida} ${menor} PARENT_SCOPE)
endfunction()

# The page learns the paths of the files left for later from a script the
# build writes once per program, with the final list. The copy waits for the
# end of the configuration, when the program's folder is known.
function(t2d2_busca_depois alvo origem destino)
  cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]]
    CALL t2d2_copia_ao_lado [[${alvo}]] [[${origem}]] [[${destino}]])")
  set_property(TARGET ${alvo} APPEND PROPERTY LINK_DEPENDS ${origem})
  get_target_property(depois ${alvo} T2D2_DEPOIS)
  if(NOT depois)
    set(lista ${CMAKE_CURRENT_BINARY_DIR}/${alvo}_depois.js)
    file(GENERATE OUTPUT ${lista} CONTENT "Module['t2d2Depois'] = \
['$<JOIN:$<TARGET_PROPERTY:${alvo},T2D2_DEPOIS>,'$<COMMA> '>'];
Module['t2d2Segundas'] = \
{$<JOIN:$<TARGET_PROPERTY:${alvo},T2D2_SEGUNDAS>,$<COMMA> >};\n")
    target_link_options(${alvo} PRIVATE "SHELL:--pre-js ${lista}")
    set_property(TARGET ${alvo} APPEND PROPERTY LINK_DEPENDS ${lista})
  endif()
  set_property(TARGET ${alvo} APPEND PROPERTY T2D2_DEPOIS ${destino})
endfunction()

# A second encoding of a sound left for later (the music in MP3 beside its
# Ogg Vorbis file at primeira), copied beside it: a browser that says it
# cannot play the first encoding fetches this one in its place, and any
# other never loads it.
function(t2d2_segunda_codificacao alvo origem primeira)
  get_filename_component(pasta ${primeira} DIRECTORY)
  get_filename_component(nome ${origem} NAME)
  cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]]
    CALL t2d2_copia_ao_lado [[${alvo}]] [[${origem}]] [[${pasta}/${nome}]])")
  set_property(TARGET ${alvo} APPEND PROPERTY LINK_DEPENDS ${origem})
  set_property(TARGET ${alvo} APPEND PROPERTY T2D2_SEGUNDAS
    "'${primeira}': '${pasta}/${nome}'")
endfunction()

function(t2d2_copia_ao_lado alvo origem destino)
  get_target_property(pasta ${alvo} RUNTIME_OUTPUT_DIRECTORY)
  if(NOT pasta)
    get_target_property(pasta ${alvo} BINARY_DIR)
  endif()
  configure_file(${origem} ${pasta}${destino} COPYONLY)
endfunction()

# Every program's page: t2d2_pagina_web.
include(${CMAKE_CURRENT_LIST_DIR}/pagina.cmake)
