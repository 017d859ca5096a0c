# Installs the build into a folder of its own (as DESTDIR does for a package)
# and checks that a desktop finds the program: the three programs in bin/,
# the desktop entry in share/applications naming the program and its icon,
# the icon under hicolor, the report layouts.
#   cmake -DBUILD=<build folder> -DZIEL=<empty folder> -DMIT_QT=ON|OFF -P InstallPruefen.cmake
file(REMOVE_RECURSE "${ZIEL}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${ZIEL}/usr"
                RESULT_VARIABLE Rc OUTPUT_QUIET)
if(NOT Rc EQUAL 0)
  message(FATAL_ERROR "cmake --install ist fehlgeschlagen (${Rc})")
endif()
set(Erwartet usr/bin/invanf-cli usr/bin/wws-admin)
if(MIT_QT)
  list(APPEND Erwartet usr/bin/invanf usr/share/applications/invanf.desktop
       usr/share/icons/hicolor/scalable/apps/invanf.svg usr/share/wws/Layout/ial__Standard.rpt
       usr/share/wws/Layout/IA-Liste.rpt)
endif()
foreach(Datei IN LISTS Erwartet)
  if(NOT EXISTS "${ZIEL}/${Datei}")
    message(FATAL_ERROR "Nicht installiert: ${Datei}")
  endif()
endforeach()
foreach(Programm invanf-cli wws-admin)
  execute_process(COMMAND "${ZIEL}/usr/bin/${Programm}" --help RESULT_VARIABLE Rc OUTPUT_QUIET ERROR_QUIET)
  if(NOT Rc EQUAL 0)
    message(FATAL_ERROR "${Programm} --help aus der Installation endet mit ${Rc}")
  endif()
endforeach()
if(MIT_QT)
  file(READ "${ZIEL}/usr/share/applications/invanf.desktop" Eintrag)
  foreach(Zeile "Exec=invanf" "Icon=invanf" "Categories=Office;" "Name=Inventuranforderungen" "Type=Application")
    string(FIND "${Eintrag}" "${Zeile}" Stelle)
    if(Stelle LESS 0)
      message(FATAL_ERROR "invanf.desktop ohne ${Zeile}")
    endif()
  endforeach()
endif()
file(REMOVE_RECURSE "${ZIEL}")
