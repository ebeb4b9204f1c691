# Tovik2D 2 on Emscripten: the emulation's SDL 1.2, SDL_image, SDL_mixer and
# fixed-function OpenGL, with Asyncify so that the frame wait can hand the
# page its turn. Every program linked with the library gets these options.
#
# A program does not start by itself: its page starts it after the player's
# click (the gesture a browser needs before it plays sound) and, when it
# returns, ends it with exit(), as a desktop's C runtime does, so that the
# handlers registered with atexit run (the audio's shut-down among them).
set(T2D2_NATIVO "" CACHE PATH
  "A desktop build of this project whose asset generator has run")
if(NOT EXISTS ${T2D2_NATIVO}/jogo/files/splash.png)
  message(FATAL_ERROR "T2D2_NATIVO must name a desktop build whose asset "
    "generator has run (bash tools/web.sh build makes both)")
endif()

add_library(t2d2_navegador INTERFACE)
target_link_options(t2d2_navegador INTERFACE
  -sLEGACY_GL_EMULATION
  -sASYNCIFY
  -sALLOW_MEMORY_GROWTH
  -sEXIT_RUNTIME
  -sINVOKE_RUN=0
  -sEXPORTED_FUNCTIONS=_main,_exit
  -sEXPORTED_RUNTIME_METHODS=ccall
  --use-preload-plugins)
set(T2D2_DEPENDENCIAS t2d2_navegador)

# A file or a folder the program reads, decoded by the browser before the
# program starts, seen by the program as destino.
function(t2d2_pre_carrega alvo origem destino)
  target_link_options(${alvo} PRIVATE
    "SHELL:--preload-file ${origem}@${destino}")
  if(IS_DIRECTORY ${origem})
    file(GLOB origem ${origem}/*)
  endif()
  set_property(TARGET ${alvo} APPEND PROPERTY LINK_DEPENDS ${origem})
endfunction()
