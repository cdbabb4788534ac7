# What an installation holds, and the packages made of it.
#
# Linux (cmake --install): bin/sardane, lib/sardane/K3M0RE63.DLL, the manual
# pages (English and Japanese), the READMEs (English and the Japanese
# operator's guide) and the menu entry with its icon, which runs Sardane in a
# terminal in the user's home folder. The Debian package adds the machine registry's ENV
# key, whose ZNORAC names /usr/lib/sardane, as a configuration file. The
# Windows installer (packaging/sardane.nsi) and the portable zip are made
# from the Windows build by packaging/dist.sh.
if(WIN32)
  return()
endif()

install(TARGETS sardane RUNTIME DESTINATION bin)
install(TARGETS K3M0RE63 LIBRARY DESTINATION lib/sardane)
install(FILES docs/sardane.1 DESTINATION share/man/man1)
install(FILES docs/sardane.ja.1 DESTINATION share/man/ja/man1 RENAME sardane.1)
install(FILES README.md README.ja.md DESTINATION share/doc/sardane)
install(FILES packaging/sardane.desktop DESTINATION share/applications)
install(FILES packaging/sardane.svg DESTINATION share/icons/hicolor/scalable/apps)

set(SARDANE_ENV_KEY "/etc/sardane/registry/Software/Vantrel/Z-NORAC V6.3/ENV")
file(WRITE ${CMAKE_BINARY_DIR}/packaging/values "ZNORAC=text:/usr/lib/sardane\n")
install(FILES ${CMAKE_BINARY_DIR}/packaging/values DESTINATION ${SARDANE_ENV_KEY}
  COMPONENT machine_registry EXCLUDE_FROM_ALL)
file(WRITE ${CMAKE_BINARY_DIR}/packaging/conffiles "${SARDANE_ENV_KEY}/values\n")

set(CPACK_PACKAGE_NAME sardane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Sardane")
set(CPACK_PACKAGE_CONTACT "Sardane developers <sardane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Converter of 1:25,000 digital map discs into MapInfo MIF/MID layers")
set(CPACK_PACKAGE_DESCRIPTION
  "Sardane converts the map sheets of a job list on a national 1:25,000\
 digital map data disc into MapInfo Interchange Format layers (.mif and\
 .mid) and tunnel and bridge text extracts, byte for byte in Shift-JIS.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL Unspecified machine_registry)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/conffiles)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/dist)
include(CPack)

# All three packages into build/dist: cmake --build build --target dist
if(SARDANE_WINDOWS)
  add_custom_target(dist
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/packaging/dist.sh ${CMAKE_BINARY_DIR}
      ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_VERSION}
    DEPENDS sardane K3M0RE63 windows
    COMMENT "Packages into ${CMAKE_BINARY_DIR}/dist"
    VERBATIM)
endif()
