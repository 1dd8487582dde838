# What `cmake --install` puts where, and the Debian package made of it.
include(GNUInstallDirs)

set(HQ_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(HQ_APP_ID org.harmoniqua.Harmoniqua)
set(HQ_GENERATED_DIR ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS harmoniqua harmoniqua-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program looks for them in ../share/harmoniqua beside its bin folder.
install(FILES ${HQ_PROGRAM_DIR}/Fifths.bmp ${HQ_PROGRAM_DIR}/Tmap.bmp DESTINATION ${CMAKE_INSTALL_DATADIR}/harmoniqua)

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/harmoniqua)
install(FILES ${HQ_PACKAGING_DIR}/${HQ_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${HQ_PACKAGING_DIR}/${HQ_APP_ID}.metainfo.xml.in ${HQ_GENERATED_DIR}/${HQ_APP_ID}.metainfo.xml @ONLY)
install(FILES ${HQ_GENERATED_DIR}/${HQ_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(page harmoniqua.1 harmoniqua-cli.1)
  configure_file(${HQ_PACKAGING_DIR}/${page}.in ${HQ_GENERATED_DIR}/${page} @ONLY)
  install(FILES ${HQ_GENERATED_DIR}/${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The icon: drawn once as SVG, made into the bitmap sizes menus ask for.
find_program(HQ_RSVG_CONVERT rsvg-convert REQUIRED)
set(HQ_ICON_SVG ${HQ_PACKAGING_DIR}/${HQ_APP_ID}.svg)
install(FILES ${HQ_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(HQ_ICON_SIZES 48 128 256)
set(HQ_ICON_PNGS)
foreach(size ${HQ_ICON_SIZES})
  set(png ${HQ_GENERATED_DIR}/icons/${size}/${HQ_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HQ_GENERATED_DIR}/icons/${size}
    COMMAND ${HQ_RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${HQ_ICON_SVG}
    DEPENDS ${HQ_ICON_SVG}
    COMMENT "Making the ${size} px icon"
    VERBATIM)
  list(APPEND HQ_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(icons ALL DEPENDS ${HQ_ICON_PNGS})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME harmoniqua)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "build, hear and name musical chords")
set(CPACK_PACKAGE_DESCRIPTION
  "Harmoniqua builds a chord step by step in six panels and at once shows its notation, intervals, notes and semitone distances. It plays the chord on a piano window, names the chords formed by held keys (also on a MIDI keyboard), keeps chord lists in sequence files and plays them. harmoniqua-cli does the same without a window and prints JSON.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Harmoniqua developers <maintainers@harmoniqua.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Drawn with by name, so no library dependency shows it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fluid-soundfont-gm)
include(CPack)
