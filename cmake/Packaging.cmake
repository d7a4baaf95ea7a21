# The Debian package, built with CPack from a Release build:
#   cmake --preset package && cmake --build --preset package && cpack --preset package
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR Brindlewick)
set(CPACK_PACKAGE_CONTACT "Brindlewick <support@brindlewick.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "WiFi signal strength logger in the system tray")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvane records the computer's WiFi signal strength at an interval the\n\
user picks, shows each sample in its history list and appends it to a\n\
plain-text log. It lives in the system tray and can start at login,\n\
straight into the tray.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://brindlewick.example/)
# The libraries come from dpkg-shlibdeps; what is loaded at run time without being
# linked is named here: Qt's platform plugins (X11 and, for Wayland sessions
# without XWayland, Wayland) and the fonts whose metrics the layout is made for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland, fonts-liberation")

# What lintian asks of every package: the copyright and the changelog, compressed
# the way dpkg does (no name, no time stamp).
set(changelog_gz ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz)
add_custom_command(
  OUTPUT ${changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/app/packaging/changelog > ${changelog_gz}
  DEPENDS ${PROJECT_SOURCE_DIR}/app/packaging/changelog)
add_custom_target(package_changelog ALL DEPENDS ${changelog_gz})
install(FILES ${PROJECT_SOURCE_DIR}/app/packaging/copyright ${changelog_gz}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvane)

include(CPack)
