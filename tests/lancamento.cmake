# The release reader on a changelog with two releases, a wrapped item, prose
# to skip, and characters that XML escapes and CMake lists split at.
# Usage: cmake -DFONTES=<source folder> -DPASTA=<scratch folder> -P lancamento.cmake
include(${FONTES}/pacote/lancamento.cmake)
set(PROJECT_VERSION 2.1.0)
file(WRITE ${PASTA}/CHANGELOG.md "# Changelog\n\n- not a release item\n\n"
  "## [2.1.0] - 2027-01-05\n\nProse.\n\n- Sound & music; <louder>\n"
  "  than before\n- Second\n\n## [2.0.0] - 2026-12-08\n\n- First\n")
t2d2_le_changelog(${PASTA}/CHANGELOG.md trovasco 1 "Dev <dev@example.org>")

string(CONCAT xml
  "    <release version=\"2.1.0\" date=\"2027-01-05\">\n"
  "      <description>\n        <ul>\n"
  "          <li>Sound &amp; music; &lt;louder&gt; than before</li>\n"
  "          <li>Second</li>\n"
  "        </ul>\n      </description>\n    </release>\n"
  "    <release version=\"2.0.0\" date=\"2026-12-08\">\n"
  "      <description>\n        <ul>\n"
  "          <li>First</li>\n"
  "        </ul>\n      </description>\n    </release>\n")
string(CONCAT debian
  "trovasco (2.1.0-1) unstable; urgency=medium\n\n"
  "  * Sound & music; <louder>\n    than before\n  * Second\n\n"
  " -- Dev <dev@example.org>  Tue, 05 Jan 2027 00:00:00 +0000\n\n"
  "trovasco (2.0.0-1) unstable; urgency=medium\n\n  * First\n\n"
  " -- Dev <dev@example.org>  Tue, 08 Dec 2026 00:00:00 +0000\n")
foreach(saida data_lancamento releases_xml changelog_debian)
  set(esperado_data_lancamento 2027-01-05)
  set(esperado_releases_xml "${xml}")
  set(esperado_changelog_debian "${debian}")
  if(NOT t2d2_${saida} STREQUAL esperado_${saida})
    message(FATAL_ERROR "FALHOU: ${saida} é\n${t2d2_${saida}}\nem vez de\n"
      "${esperado_${saida}}")
  endif()
endforeach()

# Two releases on one day: the newer one an hour after the older.
file(WRITE ${PASTA}/CHANGELOG.md "## [2.1.0] - 2027-01-05\n\n- B\n\n"
  "## [2.0.0] - 2027-01-05\n\n- A\n")
t2d2_le_changelog(${PASTA}/CHANGELOG.md trovasco 1 "Dev <dev@example.org>")
string(REGEX MATCHALL "2027 0[0-9]:00" horas "${t2d2_changelog_debian}")
if(NOT horas STREQUAL "2027 01:00;2027 00:00")
  message(FATAL_ERROR "FALHOU: no mesmo dia, as horas são ${horas}")
endif()
message("changelog lido: 2 lançamentos")
