# A program's page, written into a folder of its own: everything a static
# host needs to serve the program as a game that loads with a progress bar,
# says in words what keeps it from running, installs as an app and plays
# offline; and that folder zipped beside it, index.html at the zip's root.
#
#   t2d2_pagina_web(<alvo> TITULO <título>
#                   [ARQUIVOS <arquivo-ou-pasta> <caminho-no-programa>]...
#                   [ICONE <png>] [TOQUE <json>] [PASTA <pasta>]
#                   [CABECA <html>] [MANIFESTO <modelo>])
#
# ARQUIVOS: what the program reads, seen by it at the given path (a folder
# brings everything in it). ICONE: the favicon and the installed app's
# icon; the library's own without it. TOQUE: the on-screen controls a phone
# shows (docs/guia.md); none without it. PASTA: <build>/<alvo> without it.
# CABECA and MANIFESTO are for a page with more to say than the template: a
# fragment added to the head, a manifest template of its own.
#
# Included by plataforma.cmake, in this project and from the installed
# package alike, so that every page comes from these same files.
include_guard(GLOBAL)

set(T2D2_PAGINA_WEB ${CMAKE_CURRENT_LIST_DIR})
if(NOT DEFINED T2D2_ICONE_PADRAO)
  set(T2D2_ICONE_PADRAO ${CMAKE_CURRENT_LIST_DIR}/icone.png)
endif()

function(t2d2_pagina_web alvo)
  cmake_parse_arguments(PARSE_ARGV 1 p ""
    "TITULO;ICONE;TOQUE;PASTA;CABECA;MANIFESTO" "ARQUIVOS")
  t2d2_confere_pagina(${alvo})
  if(p_PASTA)
    get_filename_component(pasta ${p_PASTA} ABSOLUTE
      BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})
  else()
    set(pasta ${CMAKE_BINARY_DIR}/${alvo})
  endif()
  set_target_properties(${alvo} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${pasta} SUFFIX .js)
  t2d2_pre_carrega_pares(${alvo} ${p_ARQUIVOS})

  set(TITULO ${p_TITULO})
  t2d2_le_toque("${p_TOQUE}" toque)
  set(cabeca "")
  if(p_CABECA)
    t2d2_le_arquivo(${p_CABECA} CABECA cabeca)
  endif()
  set_target_properties(${alvo} PROPERTIES T2D2_PAGINA_TOQUE "${toque}"
    T2D2_PAGINA_CABECA "${cabeca}" T2D2_PAGINA_TITULO "${TITULO}")
  cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]]
    CALL t2d2_escreve_index [[${alvo}]] [[${pasta}]])")
  foreach(f pagina.js toque.js)
    configure_file(${T2D2_PAGINA_WEB}/${f} ${pasta}/${f} COPYONLY)
  endforeach()

  set(icone ${T2D2_ICONE_PADRAO})
  if(p_ICONE)
    get_filename_component(icone ${p_ICONE} ABSOLUTE)
  endif()
  t2d2_lados_do_png(${icone} ICONE_LADOS)
  configure_file(${icone} ${pasta}/icone.png COPYONLY)
  set(manifesto ${T2D2_PAGINA_WEB}/manifest.webmanifest.in)
  if(p_MANIFESTO)
    get_filename_component(manifesto ${p_MANIFESTO} ABSOLUTE)
  endif()
  configure_file(${manifesto} ${pasta}/manifest.webmanifest @ONLY)

  t2d2_trabalhador_e_zip(${alvo} ${pasta})
endfunction()

# index.html waits for the end of the configuration, when what the program
# preloads is known: a page whose program has no data package must not ask
# for one.
function(t2d2_escreve_index alvo pasta)
  set(PROGRAMA ${alvo})
  foreach(v TITULO TOQUE CABECA)
    get_target_property(${v} ${alvo} T2D2_PAGINA_${v})
  endforeach()
  if(NOT CABECA)
    set(CABECA "")
  endif()
  get_target_property(dados ${alvo} T2D2_DADOS)
  set(DADOS "")
  if(dados)
    set(DADOS "<link rel=\"preload\" href=\"${alvo}.data\" as=\"fetch\" crossorigin>")
  endif()
  configure_file(${T2D2_PAGINA_WEB}/pagina.html ${pasta}/index.html @ONLY)
endfunction()

function(t2d2_confere_pagina alvo)
  if(NOT TARGET ${alvo})
    message(FATAL_ERROR "t2d2_pagina_web: ${alvo} is not a target; call it "
      "after add_executable(${alvo} ...)")
  endif()
  if(p_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "t2d2_pagina_web(${alvo}): unknown arguments "
      "${p_UNPARSED_ARGUMENTS}")
  endif()
  # The title goes as it is into the page's markup and the manifest.
  if(NOT p_TITULO OR p_TITULO MATCHES "[\"<>&\\\\]")
    message(FATAL_ERROR "t2d2_pagina_web(${alvo}) needs TITULO, a title "
      "without \" < > & or \\")
  endif()
  list(LENGTH p_ARQUIVOS n)
  math(EXPR resto "${n} % 2")
  if(resto)
    message(FATAL_ERROR "t2d2_pagina_web(${alvo}): each ARQUIVOS takes a "
      "file or folder and the path the program reads it at")
  endif()
endfunction()

function(t2d2_pre_carrega_pares alvo)
  set(pares ${ARGN})
  while(pares)
    list(POP_FRONT pares origem destino)
    get_filename_component(origem ${origem} ABSOLUTE)
    if(NOT EXISTS ${origem})
      message(FATAL_ERROR "t2d2_pagina_web(${alvo}): ${origem} does not exist")
    endif()
    t2d2_pre_carrega(${alvo} ${origem} ${destino})
  endwhile()
endfunction()

# A file read at configuration, whose change configures again.
function(t2d2_le_arquivo arquivo opcao saida)
  get_filename_component(arquivo ${arquivo} ABSOLUTE)
  if(NOT EXISTS ${arquivo})
    message(FATAL_ERROR "t2d2_pagina_web: the ${opcao} file ${arquivo} "
      "does not exist")
  endif()
  file(READ ${arquivo} conteudo)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${arquivo})
  set(${saida} "${conteudo}" PARENT_SCOPE)
endfunction()

# ---------------------------------------------------------------------------
# The touch controls: the JSON goes verbatim into the page, after the checks
# that spare a player a page whose controls cannot work.
# ---------------------------------------------------------------------------

function(t2d2_le_toque arquivo saida)
  if(NOT arquivo)
    set(${saida} null PARENT_SCOPE)
    return()
  endif()
  t2d2_le_arquivo(${arquivo} TOQUE json)
  string(JSON tipo ERROR_VARIABLE erro TYPE "${json}")
  if(erro OR NOT tipo STREQUAL OBJECT OR json MATCHES "</")
    message(FATAL_ERROR "TOQUE ${arquivo}: not a JSON object ${erro}")
  endif()
  string(JSON n ERROR_VARIABLE erro LENGTH "${json}" controles)
  if(erro)
    set(n 0)
  endif()
  if(n GREATER 0)
    math(EXPR ultimo "${n} - 1")
    foreach(k RANGE ${ultimo})
      string(JSON controle GET "${json}" controles ${k})
      t2d2_confere_controle("${controle}" "${arquivo}: control ${k}")
    endforeach()
  endif()
  set(${saida} "${json}" PARENT_SCOPE)
endfunction()

set(T2D2_TECLAS_DO_TOQUE Enter Escape Space ArrowLeft ArrowRight ArrowUp
  ArrowDown Shift Control Tab Backspace)

function(t2d2_confere_controle controle onde)
  foreach(campo nome tecla botao lado)
    string(JSON ${campo} ERROR_VARIABLE sem_${campo} GET "${controle}" ${campo})
  endforeach()
  if(sem_nome OR nome STREQUAL "")
    message(FATAL_ERROR "TOQUE ${onde} has no \"nome\"")
  endif()
  if((sem_tecla AND sem_botao) OR (NOT sem_tecla AND NOT sem_botao))
    message(FATAL_ERROR "TOQUE ${onde} (${nome}) needs exactly one of "
      "\"tecla\" and \"botao\"")
  endif()
  if(NOT sem_tecla AND NOT tecla IN_LIST T2D2_TECLAS_DO_TOQUE AND
     NOT tecla MATCHES "^[a-z0-9]$")
    message(FATAL_ERROR "TOQUE ${onde} (${nome}): unknown tecla \"${tecla}\"")
  endif()
  if(NOT sem_botao AND NOT botao MATCHES "^(esquerdo|direito|meio)$")
    message(FATAL_ERROR "TOQUE ${onde} (${nome}): botao must be esquerdo, "
      "direito or meio")
  endif()
  if(NOT lado MATCHES "^(esquerda|direita)$")
    message(FATAL_ERROR "TOQUE ${onde} (${nome}): lado must be esquerda or "
      "direita")
  endif()
endfunction()

# ---------------------------------------------------------------------------
# The icon and what the build writes last
# ---------------------------------------------------------------------------

# "<width>x<height>" of a PNG, for the manifest, from its header.
function(t2d2_lados_do_png png saida)
  if(NOT EXISTS ${png})
    message(FATAL_ERROR "t2d2_pagina_web: the icon ${png} does not exist")
  endif()
  file(READ ${png} cabecalho LIMIT 24 HEX)
  string(LENGTH "${cabecalho}" n)
  if(NOT n EQUAL 48 OR NOT cabecalho MATCHES "^89504e470d0a1a0a")
    message(FATAL_ERROR "t2d2_pagina_web: the icon ${png} is not a PNG")
  endif()
  string(SUBSTRING ${cabecalho} 32 8 largura)
  string(SUBSTRING ${cabecalho} 40 8 altura)
  math(EXPR largura "0x${largura}")
  math(EXPR altura "0x${altura}")
  set(${saida} ${largura}x${altura} PARENT_SCOPE)
endfunction()

# The service worker is written last, from whatever the build has written
# into the folder by then: the build's identity (a hash of those files) and
# their list, computed by identidade.cmake and nowhere else. It runs every
# build and rewrites sw.js only when a file changed. The zip follows it.
function(t2d2_trabalhador_e_zip alvo pasta)
  add_custom_target(${alvo}_sw ALL
    COMMAND ${CMAKE_COMMAND} -DPASTA=${pasta}
            -DMODELO=${T2D2_PAGINA_WEB}/sw.js
            -P ${T2D2_PAGINA_WEB}/identidade.cmake
    BYPRODUCTS ${pasta}/sw.js
    COMMENT "The service worker of ${alvo}'s page: this build's identity and files")
  add_dependencies(${alvo}_sw ${alvo})

  get_filename_component(acima ${pasta} DIRECTORY)
  set(zip ${acima}/${alvo}-web.zip)
  add_custom_command(OUTPUT ${zip}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip .
    DEPENDS ${alvo} ${pasta}/index.html ${pasta}/pagina.js ${pasta}/icone.png
            ${pasta}/sw.js
    WORKING_DIRECTORY ${pasta}
    COMMENT "Zipping ${alvo}'s page")
  add_custom_target(${alvo}_zip ALL DEPENDS ${zip})
  add_dependencies(${alvo}_zip ${alvo}_sw)
endfunction()
