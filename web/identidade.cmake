# The build's identity and the list of the files it wrote into the game
# page's folder, filled into the service worker. Run by the build after
# every other file of the folder is written:
#   cmake -DPASTA=<page folder> -DMODELO=<web/sw.js> -P identidade.cmake
# The identity is a hash of every file's name and bytes, so that any change
# to any of them makes a new build.
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
list(JOIN arquivos "," ARQUIVOS)
configure_file(${MODELO} ${PASTA}/sw.js @ONLY)
