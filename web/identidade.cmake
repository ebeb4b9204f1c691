# The build's identity and the list of the files it wrote into a program
# page's folder, filled into the service worker. Run by the build after
# every other file of the folder is written:
#   cmake -DPASTA=<page folder> -DMODELO=<web/sw.js> -P identidade.cmake
# The identity is a hash of every file's name and bytes, so that any change
# to any of them makes a new build.
cmake_policy(SET CMP0057 NEW)
file(GLOB_RECURSE arquivos LIST_DIRECTORIES false RELATIVE ${PASTA} ${PASTA}/*)
list(REMOVE_ITEM arquivos sw.js)
list(SORT arquivos)
set(soma "")
foreach(a IN LISTS arquivos)
  file(SHA256 ${PASTA}/${a} h)
  string(APPEND soma "${a} ${h}\n")
endforeach()
string(SHA256 VERSAO "${soma}")
string(SUBSTRING ${VERSAO} 0 16 VERSAO)
# An MP3 beside an Ogg file of the same name is that sound's second
# encoding: kept only by the browsers that fetch it in the Ogg's place, so it
# is listed apart, as "first=second".
set(segundas "")
foreach(a IN LISTS arquivos)
  string(REGEX REPLACE "\\.mp3$" ".ogg" primeira ${a})
  if(NOT primeira STREQUAL a AND primeira IN_LIST arquivos)
    list(APPEND segundas "${primeira}=${a}")
    list(REMOVE_ITEM arquivos ${a})
  endif()
endforeach()
list(JOIN segundas "," SEGUNDAS)
# The program is the folder's .wasm file, whose name leads its caches'
# names.
set(programas ${arquivos})
list(FILTER programas INCLUDE REGEX "^[^/]+\\.wasm$")
string(REGEX REPLACE "\\.wasm(;.*)?$" "" PROGRAMA "${programas}")
list(JOIN arquivos "," ARQUIVOS)
configure_file(${MODELO} ${PASTA}/sw.js @ONLY)
