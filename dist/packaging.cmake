# The Debian package: scripts/package runs cpack on a build. Its Depends come from the shared
# libraries the executables and the browser module link (dpkg-shlibdeps), plus what is only loaded
# at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Zelvik developers <packages@zelvik.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "telephone directory with a Russian interface")
# The first line of the package's description is the summary above.
set(CPACK_PACKAGE_DESCRIPTION "Zelvik looks up telephone directory entries by surname (with given
name, patronymic, house and flat) or by phone number and lists them in an
editable grid. The zelvik-cli command runs the same searches without a
window and makes new data folders.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zelvik.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libpq is loaded when a server is first used, so dpkg-shlibdeps does not see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libpq5")
# The grid's layout was measured with these metric-compatible faces.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
# Where lintian is wrong about the package, and why (scripts/check-package runs it).
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME zelvik)
# A native package's changelog, compressed as Debian expects.
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  COMMAND gzip --no-name --best --stdout ${CMAKE_CURRENT_LIST_DIR}/changelog > ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog)
add_custom_target(zelvik_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
include(CPack)
