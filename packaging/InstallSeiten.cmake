# Part of `cmake --install` (and of cpack): the files that name where the
# package lands (the desktop entry's handbook action, the handbook's
# doc-base entry, the man pages' FILES and SEE ALSO) are written here, with the prefix of this installation, not
# of the configuration: a build configured for /usr/local still makes a
# package for /usr. Set by packaging/CMakeLists.txt before it includes this:
# WWS_PACKAGING (source folder), WWS_ARBEIT (a folder of the build),
# WWS_VERSION, WWS_MAN_DATUM, WWS_MIT_QT, WWS_DOCDIR, WWS_MANDIR, WWS_DATADIR
# (relative to the prefix).
set(Wurzel "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(WWS_HANDBUCH_ORDNER "${CMAKE_INSTALL_PREFIX}/${WWS_DOCDIR}/handbuch")
set(WWS_HANDBUCH "${WWS_HANDBUCH_ORDNER}/index.html")
set(WWS_LAYOUT_ORDNER "${CMAKE_INSTALL_PREFIX}/${WWS_DATADIR}/wws/Layout")
set(PROJECT_VERSION "${WWS_VERSION}")
find_program(Gzip gzip REQUIRED)

# Debian's way: gzip -9n, no name and no time stamp in the file.
function(gepackt Quelle Ziel)
  get_filename_component(Ordner "${Ziel}" DIRECTORY)
  file(MAKE_DIRECTORY "${Ordner}")
  execute_process(COMMAND "${Gzip}" -9nc "${Quelle}" OUTPUT_FILE "${Ziel}" RESULT_VARIABLE Rc)
  if(NOT Rc EQUAL 0)
    message(FATAL_ERROR "gzip ${Quelle} ist fehlgeschlagen (${Rc})")
  endif()
  message(STATUS "Installing: ${Ziel}")
endfunction()

set(Arbeit "${WWS_ARBEIT}")
file(MAKE_DIRECTORY "${Arbeit}")
set(Programme invanf-cli wws-admin)
if(WWS_MIT_QT)
  list(APPEND Programme invanf)
  foreach(Datei applications/invanf.desktop doc-base/invanf-handbuch)
    get_filename_component(Name "${Datei}" NAME)
    configure_file("${WWS_PACKAGING}/${Name}.in" "${Wurzel}/${WWS_DATADIR}/${Datei}" @ONLY)
    message(STATUS "Installing: ${Wurzel}/${WWS_DATADIR}/${Datei}")
  endforeach()
endif()
foreach(Programm IN LISTS Programme)
  configure_file("${WWS_PACKAGING}/man/${Programm}.1.in" "${Arbeit}/${Programm}.1" @ONLY)
  gepackt("${Arbeit}/${Programm}.1" "${Wurzel}/${WWS_MANDIR}/man1/${Programm}.1.gz")
endforeach()
gepackt("${WWS_PACKAGING}/debian/changelog" "${Wurzel}/${WWS_DOCDIR}/changelog.Debian.gz")
