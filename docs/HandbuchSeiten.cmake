# Puts the handbook together from its chapters:
#   cmake -DQUELLE=<docs/handbuch> -DZIEL=<folder> -DBILDER=<folder of pictures> -DVERSION=<x.y.z>
#         -P HandbuchSeiten.cmake
#
# Kapitel.txt lists the chapters in order, one "file|title" a line. Each
# chapter file holds only its body; the frame (head, style, navigation with
# the previous and next chapter) is the same for all and written here, and
# the contents page lists every chapter with its sections (<h2 id=...>).
# A picture a page shows but the picture run did not make fails the build,
# so a renamed window cannot leave a hole in the handbook.
file(STRINGS "${QUELLE}/Kapitel.txt" Zeilen ENCODING UTF-8 REGEX "^[^#].*\\|")
set(Dateien)
set(Titel)
foreach(Zeile IN LISTS Zeilen)
  string(REGEX MATCH "^([^|]+)\\|(.+)$" _ "${Zeile}")
  list(APPEND Dateien "${CMAKE_MATCH_1}")
  list(APPEND Titel "${CMAKE_MATCH_2}")
endforeach()
list(LENGTH Dateien Anzahl)
if(Anzahl EQUAL 0)
  message(FATAL_ERROR "Kapitel.txt nennt kein Kapitel")
endif()

file(MAKE_DIRECTORY "${ZIEL}")
file(COPY "${QUELLE}/handbuch.css" DESTINATION "${ZIEL}")

function(seite Datei Ueberschrift Inhalt Zurueck Weiter)
  set(Navigation "<a href=\"index.html\">Inhalt</a>")
  if(Zurueck)
    string(APPEND Navigation " · <a href=\"${Zurueck}\" rel=\"prev\">zurück</a>")
  endif()
  if(Weiter)
    string(APPEND Navigation " · <a href=\"${Weiter}\" rel=\"next\">weiter</a>")
  endif()
  file(WRITE "${ZIEL}/${Datei}"
       "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
       "<title>${Ueberschrift} – Inventuranforderungen</title>\n"
       "<link rel=\"stylesheet\" href=\"handbuch.css\">\n</head>\n<body>\n"
       "<header><span class=\"programm\">Inventuranforderungen · Handbuch</span>\n<nav>${Navigation}</nav></header>\n"
       "<main>\n<h1>${Ueberschrift}</h1>\n${Inhalt}</main>\n"
       "<footer><nav>${Navigation}</nav>\n<p>invanf ${VERSION}</p></footer>\n</body>\n</html>\n")
endfunction()

set(Verzeichnis "")
math(EXPR Letztes "${Anzahl} - 1")
foreach(I RANGE ${Letztes})
  list(GET Dateien ${I} Datei)
  list(GET Titel ${I} Ueberschrift)
  file(READ "${QUELLE}/${Datei}" Inhalt)
  # Every picture the chapter shows must have been made.
  string(REGEX MATCHALL "src=\"bilder/[^\"]+\"" Bilder "${Inhalt}")
  foreach(Bild IN LISTS Bilder)
    string(REGEX REPLACE "^src=\"bilder/(.+)\"$" "\\1" Bild "${Bild}")
    if(NOT EXISTS "${BILDER}/${Bild}")
      message(FATAL_ERROR "${Datei} zeigt bilder/${Bild}, das die Bilder des Handbuchs nicht enthalten")
    endif()
  endforeach()
  set(Zurueck "")
  set(Weiter "")
  if(I GREATER 0)
    math(EXPR J "${I} - 1")
    list(GET Dateien ${J} Zurueck)
  endif()
  if(I LESS Letztes)
    math(EXPR J "${I} + 1")
    list(GET Dateien ${J} Weiter)
  endif()
  seite("${Datei}" "${Ueberschrift}" "${Inhalt}" "${Zurueck}" "${Weiter}")

  string(APPEND Verzeichnis "<li><a href=\"${Datei}\">${Ueberschrift}</a>")
  string(REGEX MATCHALL "<h2 id=\"[^\"]+\">[^<]+</h2>" Abschnitte "${Inhalt}")
  if(Abschnitte)
    string(APPEND Verzeichnis "\n<ul>\n")
    foreach(Abschnitt IN LISTS Abschnitte)
      string(REGEX REPLACE "<h2 id=\"([^\"]+)\">([^<]+)</h2>" "<li><a href=\"${Datei}#\\1\">\\2</a></li>\n" Eintrag
                           "${Abschnitt}")
      string(APPEND Verzeichnis "${Eintrag}")
    endforeach()
    string(APPEND Verzeichnis "</ul>")
  endif()
  string(APPEND Verzeichnis "</li>\n")
endforeach()

file(READ "${QUELLE}/einleitung.html" Einleitung)
list(GET Dateien 0 Erstes)
seite("index.html" "Handbuch" "${Einleitung}<h2 id=\"inhalt\">Inhalt</h2>\n<ol class=\"inhalt\">\n${Verzeichnis}</ol>\n" ""
      "${Erstes}")

file(MAKE_DIRECTORY "${ZIEL}/bilder")
file(GLOB Fertig "${BILDER}/*.png")
file(COPY ${Fertig} DESTINATION "${ZIEL}/bilder")
