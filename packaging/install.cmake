# What an installation holds, and the packages made of it.
#
# Linux (cmake --install): bin/sardane, lib/sardane/K3M0RE63.DLL, the manual
# pages (English and Japanese, compressed), the READMEs (English and the
# Japanese operator's guide), the copyright file and the changelog, and the
# menu entry with its icon, which runs Sardane in a terminal in the user's
# home folder. The Debian package's maintainer scripts add the machine
# registry's ENV key, whose ZNORAC names /usr/lib/sardane (packaging/debian).
# The Windows installer (packaging/sardane.nsi) and the portable zip are made
# from the Windows build by packaging/dist.sh.
if(WIN32)
  return()
endif()

install(TARGETS sardane RUNTIME DESTINATION bin)
install(TARGETS K3M0RE63 LIBRARY DESTINATION lib/sardane)

# Manual pages and the changelog go in compressed the way Debian wants them:
# gzip -9n, no name or time stamp inside.
set(packaging_dir ${CMAKE_BINARY_DIR}/packaging)
set(compressed)
foreach(pair "docs/sardane.1;man/sardane.1.gz" "docs/sardane.ja.1;man-ja/sardane.1.gz"
    "packaging/debian/changelog;changelog.gz")
  list(GET pair 0 source)
  list(GET pair 1 target)
  get_filename_component(target_dir ${packaging_dir}/${target} DIRECTORY)
  add_custom_command(OUTPUT ${packaging_dir}/${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${target_dir}
    COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/${source} > ${packaging_dir}/${target}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND compressed ${packaging_dir}/${target})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
install(FILES ${packaging_dir}/man/sardane.1.gz DESTINATION share/man/man1)
install(FILES ${packaging_dir}/man-ja/sardane.1.gz DESTINATION share/man/ja/man1)
install(FILES README.md README.ja.md packaging/debian/copyright ${packaging_dir}/changelog.gz
  DESTINATION share/doc/sardane)
install(FILES packaging/sardane.desktop DESTINATION share/applications)
install(FILES packaging/sardane.svg DESTINATION share/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME sardane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Sardane authors")
# example.org is reserved for examples (RFC 2606): the project has no domain.
set(CPACK_PACKAGE_CONTACT "Sardane developers <sardane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Converter of 1:25,000 digital map discs into MapInfo MIF/MID layers")
set(CPACK_PACKAGE_DESCRIPTION
  "Sardane converts the map sheets of a job list on a national 1:25,000
digital map data disc into MapInfo Interchange Format layers (the .mif
and .mid files) and tunnel and bridge text extracts, byte for byte in
Shift-JIS.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package's own maintainer scripts, which also keep CPack from adding
# ldconfig calls for the message library (it is not on the linker's path).
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/postinst
  ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
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
