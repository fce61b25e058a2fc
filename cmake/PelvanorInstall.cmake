# What `cmake --install` lays out besides the targets' own rules: the starter database beside the
# program (never over one that is there), the programs' links in the bin folder, the desktop
# entry, the icon in the sizes of the icon theme, the AppStream data, the manual pages and the
# copyright. The same layout under /usr is the Debian package (cmake/PelvanorPackage.cmake).

set(PELVANOR_HOMEPAGE "https://pelvanor.example/" CACHE STRING
    "The project's web address: the package's homepage and the home of its screenshots")
set(PELVANOR_APPSTREAM_ID "org.pelvanor.pelvanor")

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
  # Under /usr the programs are found on every PATH; elsewhere the entry names the program.
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(PROGRAM pelvanor)
  else()
    set(PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${PELVANOR_INSTALL_DIR}/pelvanor\")
  endif()
  configure_file(\"${desktopTemplate}\"
                 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/pelvanor.desktop\"
                 @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/pelvanor.desktop\")
  # The programs can also be started by name from the prefix's bin folder.
  set(bin \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${bin}\")
  foreach(name pelvanor pelvanor-tool)
    file(RELATIVE_PATH target \"\${bin}\" \"\${CMAKE_INSTALL_PREFIX}/${PELVANOR_INSTALL_DIR}/\${name}\")
    file(CREATE_LINK \"\${target}\" \"\$ENV{DESTDIR}\${bin}/\${name}\" SYMBOLIC)
  endforeach()
")
install(DIRECTORY "${PROJECT_SOURCE_DIR}/resources/icons/hicolor"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")

# The software centre's description of the program.
set(metainfo "${CMAKE_BINARY_DIR}/package/${PELVANOR_APPSTREAM_ID}.metainfo.xml")
configure_file("${PROJECT_SOURCE_DIR}/resources/desktop/pelvanor.metainfo.xml.in" "${metainfo}"
               @ONLY)
install(FILES "${metainfo}" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# Manual pages and the changelog go compressed, without time stamps, as Debian keeps them.
set(compressed)
foreach(source IN ITEMS resources/man/pelvanor.1 resources/man/pelvanor-tool.1
                        resources/package/changelog)
  get_filename_component(name "${source}" NAME)
  set(output "${CMAKE_BINARY_DIR}/package/${name}.gz")
  add_custom_command(OUTPUT "${output}"
                     COMMAND gzip -9nc "${PROJECT_SOURCE_DIR}/${source}" > "${output}"
                     DEPENDS "${PROJECT_SOURCE_DIR}/${source}"
                     COMMENT "Compressing ${name}")
  list(APPEND compressed "${output}")
endforeach()
add_custom_target(package-files ALL DEPENDS ${compressed})
install(FILES "${CMAKE_BINARY_DIR}/package/pelvanor.1.gz"
              "${CMAKE_BINARY_DIR}/package/pelvanor-tool.1.gz"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${PROJECT_SOURCE_DIR}/resources/package/copyright"
              "${CMAKE_BINARY_DIR}/package/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/pelvanor")
