# The release documents read the version from project() and everything else
# about a release from CHANGELOG.md, so that neither is written twice.

# Reads the releases of CHANGELOG.md, newest first: "## [version] - date"
# headings, each followed by "- " items that may go on over lines indented
# by two spaces; other lines are prose for people. Sets, in the caller:
#   t2d2_data_lancamento  the newest release's date (YYYY-MM-DD)
#   t2d2_releases_xml     the AppStream <release> entries
#   t2d2_changelog_debian the Debian changelog of source package FONTE
# The newest release must be the project's version.
function(t2d2_le_changelog arquivo fonte revisao mantenedor)
  file(READ "${arquivo}" texto)
  # Debian wants each entry's time later than the one before it: releases
  # that share a day are an hour apart, the oldest at midnight.
  string(REGEX MATCHALL "\n## \\[[0-9.]+\\] - [0-9]+-[0-9]+-[0-9]+" datas "\n${texto}")
  list(TRANSFORM datas REPLACE ".* - " "")
  set(xml "")
  set(debian "")
  set(versao "")
  set(item "")
  set(versao_nova "")
  # Lines are cut by hand: list commands would split them at semicolons.
  while(NOT texto STREQUAL "")
    string(FIND "${texto}" "\n" fim)
    if(fim EQUAL -1)
      string(LENGTH "${texto}" fim)
    endif()
    string(SUBSTRING "${texto}" 0 ${fim} linha)
    math(EXPR fim "${fim} + 1")
    string(SUBSTRING "${texto}" ${fim} -1 texto)

    if(linha MATCHES "^## \\[([0-9]+\\.[0-9]+\\.[0-9]+)\\] - ([0-9]+-[0-9]+-[0-9]+)$")
      _t2d2_fecha_lancamento()
      set(versao "${CMAKE_MATCH_1}")
      set(data "${CMAKE_MATCH_2}")
      list(POP_FRONT datas)
      set(mesmo_dia ${datas})
      list(FILTER mesmo_dia INCLUDE REGEX "^${data}$")
      list(LENGTH mesmo_dia hora)
      if(versao_nova STREQUAL "")
        set(versao_nova "${versao}")
        set(data_nova "${data}")
      endif()
      string(APPEND debian "${fonte} (${versao}-${revisao}) unstable; urgency=medium\n\n")
      string(APPEND xml "    <release version=\"${versao}\" date=\"${data}\">\n"
                        "      <description>\n        <ul>\n")
    elseif(NOT versao STREQUAL "" AND linha MATCHES "^- (.+)$")
      _t2d2_fecha_item()
      set(item "${CMAKE_MATCH_1}")
      string(APPEND debian "  * ${CMAKE_MATCH_1}\n")
    elseif(NOT item STREQUAL "" AND linha MATCHES "^  ([^ ].*)$")
      string(APPEND item " ${CMAKE_MATCH_1}")
      string(APPEND debian "    ${CMAKE_MATCH_1}\n")
    endif()
  endwhile()
  _t2d2_fecha_lancamento()
  string(REGEX REPLACE "\n+$" "\n" debian "${debian}")

  if(NOT versao_nova STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The newest release in ${arquivo} is "
      "\"${versao_nova}\" but project() says ${PROJECT_VERSION}: add an "
      "entry for it.")
  endif()
  set(t2d2_data_lancamento "${data_nova}" PARENT_SCOPE)
  set(t2d2_releases_xml "${xml}" PARENT_SCOPE)
  set(t2d2_changelog_debian "${debian}" PARENT_SCOPE)
endfunction()

# The pending item becomes an AppStream list item, its text escaped for XML.
macro(_t2d2_fecha_item)
  if(NOT item STREQUAL "")
    string(REPLACE "&" "&amp;" item "${item}")
    string(REPLACE "<" "&lt;" item "${item}")
    string(REPLACE ">" "&gt;" item "${item}")
    string(APPEND xml "          <li>${item}</li>\n")
    set(item "")
  endif()
endmacro()

# The release being read ends: its last item, the closing tags and the
# Debian trailer line with the release's date in RFC 5322 form.
macro(_t2d2_fecha_lancamento)
  if(NOT versao STREQUAL "")
    _t2d2_fecha_item()
    string(APPEND xml "        </ul>\n      </description>\n    </release>\n")
    execute_process(COMMAND date -u -R -d "${data} ${hora}:00"
      OUTPUT_VARIABLE data_rfc OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
    string(APPEND debian "\n -- ${mantenedor}  ${data_rfc}\n\n")
  endif()
endmacro()

# Writes ENTRADA.gz beside ENTRADA at build time, the way Debian wants
# compressed documents: maximum compression, no name or time stamp.
function(t2d2_comprime entrada)
  add_custom_command(OUTPUT ${entrada}.gz
    COMMAND gzip -9 -n -k -f ${entrada}
    DEPENDS ${entrada}
    VERBATIM)
endfunction()
