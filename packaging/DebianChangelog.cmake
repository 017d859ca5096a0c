# debian_changelog_lesen(<changelog>): from its newest entry
#   WWS_DEBIAN_REVISION   the Debian revision ("1" of "0.1.0-1"); the upstream
#                         version must be the project's
#   WWS_BETREUER          "Name <address>" of the entry's signature
#   WWS_CHANGELOG_DATUM   the signature's date as JJJJ-MM-TT
# A change of the changelog configures the build again.
function(debian_changelog_lesen Datei)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${Datei}")
  file(STRINGS "${Datei}" Kopf LIMIT_COUNT 1)
  if(NOT Kopf MATCHES "^invanf \\(([0-9.]+)-([0-9]+)\\) ")
    message(FATAL_ERROR "${Datei} beginnt nicht mit \"invanf (VERSION-REVISION) ...\"")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${Datei} nennt die Version ${CMAKE_MATCH_1}, das Projekt ${PROJECT_VERSION}")
  endif()
  set(WWS_DEBIAN_REVISION ${CMAKE_MATCH_2} PARENT_SCOPE)

  file(STRINGS "${Datei}" Unterschrift REGEX "^ -- [^<]+<[^>]+>  [A-Z][a-z][a-z], " LIMIT_COUNT 1)
  if(NOT Unterschrift MATCHES "^ -- ([^<]*[^ <]) *<([^>]+)>  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ")
    message(FATAL_ERROR "${Datei}: dem neuesten Eintrag fehlt die Zeile \" -- Name <Adresse>  Datum\"")
  endif()
  set(WWS_BETREUER "${CMAKE_MATCH_1} <${CMAKE_MATCH_2}>" PARENT_SCOPE)
  set(Monate Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(FIND Monate ${CMAKE_MATCH_4} Monat)
  math(EXPR Monat "${Monat} + 1")
  math(EXPR Tag "${CMAKE_MATCH_3}")
  if(Monat LESS 10)
    set(Monat 0${Monat})
  endif()
  if(Tag LESS 10)
    set(Tag 0${Tag})
  endif()
  set(WWS_CHANGELOG_DATUM "${CMAKE_MATCH_5}-${Monat}-${Tag}" PARENT_SCOPE)
endfunction()
