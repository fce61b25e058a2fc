# What `cmake --install` lays out besides the targets' own rules: the starter database beside the
# program (never over one that is there), the desktop entry with the program's path under the
# prefix given at install time, and the icon in the sizes of the icon theme.

set(stations "${PROJECT_SOURCE_DIR}/data/stations.csv")
set(desktopTemplate "${PROJECT_SOURCE_DIR}/resources/desktop/pelvanor.desktop.in")
install(CODE "
  set(folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${PELVANOR_INSTALL_DIR}\")
  execute_process(COMMAND \"${CMAKE_COMMAND}\" -DTOOL=$<TARGET_FILE:pelvanor-tool>
                          -DSTATIONS=${stations} -DDATABASE=\${folder}/pelvanor.dat
                          -P \"${PROJECT_SOURCE_DIR}/cmake/StarterDatabase.cmake\"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR \"The starter database could not be installed\")
  endif()
  set(PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${PELVANOR_INSTALL_DIR}/pelvanor\")
  configure_file(\"${desktopTemplate}\"
                 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/pelvanor.desktop\"
                 @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/pelvanor.desktop\")
  # The programs can also be started by name from the prefix's bin folder.
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  foreach(name pelvanor pelvanor-tool)
    file(CREATE_LINK \"\${CMAKE_INSTALL_PREFIX}/${PELVANOR_INSTALL_DIR}/\${name}\"
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${name}\" SYMBOLIC)
  endforeach()
")
install(DIRECTORY "${PROJECT_SOURCE_DIR}/resources/icons/hicolor"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")
