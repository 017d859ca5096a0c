# One German man page from a program's --help, made with help2man:
#   cmake -DHELP2MAN=... -DGZIP=... -DPROGRAMM=<binary> -DNAME=<name> -DZEILE=<one line>
#         -DVERSION=<x.y.z> -DZUSATZ=<file.h2m> [-DBEFEHLE=a;b;c] -DZIEL=<name.1.gz> -P ManSeite.cmake
# help2man writes its own headings in English; they become German here. The
# --help of each sub-command in BEFEHLE follows as a section of its own.
get_filename_component(Ordner "${ZIEL}" DIRECTORY)
set(Zusatz "${Ordner}/${NAME}.h2m")
# Sections stand in the order of the include file: the commands first.
set(Text "")
if(BEFEHLE)
  string(APPEND Text "[BEFEHLE IM EINZELNEN]\n")
  foreach(Befehl IN LISTS BEFEHLE)
    execute_process(COMMAND "${PROGRAMM}" ${Befehl} --help OUTPUT_VARIABLE Hilfe RESULT_VARIABLE Rc)
    if(NOT Rc EQUAL 0)
      message(FATAL_ERROR "${NAME} ${Befehl} --help endet mit ${Rc}")
    endif()
    # Verbatim lines: a backslash is written \e, a line may not begin with a dot.
    string(REPLACE "\\" "\\e" Hilfe "${Hilfe}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" Hilfe "${Hilfe}")
    string(APPEND Text ".SS ${Befehl}\n.nf\n${Hilfe}.fi\n")
  endforeach()
  string(APPEND Text "\n")
endif()
file(READ "${ZUSATZ}" Eigen)
file(WRITE "${Zusatz}" "${Text}${Eigen}")

execute_process(COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C.UTF-8 LANG=C.UTF-8
                        "${HELP2MAN}" --no-info --locale=C.UTF-8 "--version-string=${VERSION}"
                        --section=1 "--manual=Benutzerbefehle" "--source=${NAME} ${VERSION}" "--name=${ZEILE}"
                        "--include=${Zusatz}" "${PROGRAMM}"
                OUTPUT_VARIABLE Seite RESULT_VARIABLE Rc ERROR_VARIABLE Fehler)
if(NOT Rc EQUAL 0 OR Seite STREQUAL "")
  message(FATAL_ERROR "help2man für ${NAME} ist fehlgeschlagen (${Rc}): ${Fehler}")
endif()

set(Monate Januar Februar März April Mai Juni Juli August September Oktober November Dezember)
string(TIMESTAMP Monat "%m")
string(REGEX REPLACE "^0" "" Monat "${Monat}")
math(EXPR Monat "${Monat} - 1")
list(GET Monate ${Monat} Monatsname)
string(TIMESTAMP Jahr "%Y")
string(REGEX REPLACE "\n\\.TH ([^ ]+) \"1\" \"[^\"]*\"" "\n.TH \\1 \"1\" \"${Monatsname} ${Jahr}\"" Seite "${Seite}")
string(REPLACE "\n.SH NAME\n" "\n.SH BEZEICHNUNG\n" Seite "${Seite}")
string(REPLACE "\n.SH DESCRIPTION\n" "\n.SH BESCHREIBUNG\n" Seite "${Seite}")
string(REPLACE "\n.SH \"SEE ALSO\"\n" "\n.SH \"SIEHE AUCH\"\n" Seite "${Seite}")

set(Roh "${Ordner}/${NAME}.1")
file(WRITE "${Roh}" "${Seite}")
execute_process(COMMAND "${GZIP}" -9nf "${Roh}" RESULT_VARIABLE Rc)
if(NOT Rc EQUAL 0)
  message(FATAL_ERROR "gzip ${Roh} ist fehlgeschlagen (${Rc})")
endif()
