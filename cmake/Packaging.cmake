# What `cmake --install` puts beside the programs (assets, desktop entry, icons, AppStream
# metainfo, the site's service unit) and the Debian package CPack makes of it.
set(SUDOKU_DESKTOP_ASSETS ${PROJECT_SOURCE_DIR}/assets/desktop)
set(SUDOKU_APP_ID org.sudokugame.Sudoku)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/noconnect ${PROJECT_SOURCE_DIR}/assets/temi
        DESTINATION ${CMAKE_INSTALL_DATADIR}/sudoku-game)
install(FILES ${SUDOKU_DESKTOP_ASSETS}/${SUDOKU_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SUDOKU_DESKTOP_ASSETS}/${SUDOKU_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${SUDOKU_DESKTOP_ASSETS}/${SUDOKU_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
  install(FILES ${SUDOKU_DESKTOP_ASSETS}/icon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${SUDOKU_APP_ID}.png)
endforeach()
# Installed, not enabled: the package leaves starting the site to the administrator.
install(FILES ${SUDOKU_DESKTOP_ASSETS}/sudoku-site.service DESTINATION lib/systemd/system)

set(CPACK_PACKAGE_NAME sudoku-game)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Sudoku game maintainers <maintainers@sudokugame.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sudoku game with solver, puzzle library and online play")
set(CPACK_PACKAGE_INSTALL_DIRECTORY sudoku-game)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The private atom-table library is shipped in the package itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${CMAKE_BINARY_DIR}/src/storage/atoms)
# The fonts are found at run time, so no library link shows them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
