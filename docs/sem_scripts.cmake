# Doxygen writes a jQuery copy and two scripts beside every HTML reference and
# names two of them in each page's head, even when no page calls them (no
# search box, tree view, dynamic menus or sections). They go, tags and files,
# so the package carries no embedded JavaScript library; a page that still
# loads a script stops the build, as something would then be missing.
#   cmake -DPASTA=<html folder> -P sem_scripts.cmake
foreach(script jquery.js dynsections.js)
  set(etiqueta "<script type=\"text/javascript\" src=\"${script}\"></script>\n")
  list(APPEND etiquetas "${etiqueta}")
endforeach()
file(GLOB paginas ${PASTA}/*.html)
foreach(pagina ${paginas})
  file(READ ${pagina} texto)
  foreach(etiqueta ${etiquetas})
    string(REPLACE "${etiqueta}" "" texto "${texto}")
  endforeach()
  if(texto MATCHES "<script")
    message(FATAL_ERROR "${pagina} still loads a script")
  endif()
  file(WRITE ${pagina} "${texto}")
endforeach()
file(REMOVE ${PASTA}/jquery.js ${PASTA}/dynsections.js ${PASTA}/menudata.js)
