# Install layout: the programs into bindir, and the desktop entry, icon and AppStream metainfo where
# desktop environments and software centres look for them. The udev rule is only a sample under the
# docs: changing device permissions is the administrator's decision, not the installer's.
include(GNUInstallDirs)

set(N35_APP_ID io.github.hvn35writer.HVN35Writer)
set(N35_DATA_DIR ${PROJECT_SOURCE_DIR}/data)

install(TARGETS hvn35writer hvn35 hvn35-emulator RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${N35_DATA_DIR}/${N35_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${N35_DATA_DIR}/hvn35writer.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${N35_DATA_DIR}/${N35_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${N35_DATA_DIR}/60-hvn35-serial.rules
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/hvn35-writer)
# The package's copyright file, the user guide with its pictures (the manual pages point here), and the
# sample clone image the guide's tour opens.
install(FILES ${N35_DATA_DIR}/copyright ${PROJECT_SOURCE_DIR}/README.md
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/hvn35-writer)
file(GLOB N35_GUIDE_PAGES ${PROJECT_SOURCE_DIR}/docs/*.md)
install(FILES ${N35_GUIDE_PAGES} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/hvn35-writer)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/hvn35-writer)
install(FILES ${N35_DATA_DIR}/sample.N35 DESTINATION ${CMAKE_INSTALL_DATADIR}/hvn35-writer)

# The manual pages made by cmake/manpages.cmake (none when help2man is not there).
if(N35_MANPAGE_FILES)
    install(FILES ${N35_MANPAGE_FILES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
