# One Debian package, korvalinx, holding everything that `cmake --install`
# installs, under /usr. Built with `cpack --config build/default/CPackConfig.cmake`
# (tools/build-package.sh). The package runs no maintainer script and grants
# no privilege: giving a user port access is the administrator's step.

set(KORVALINX_PACKAGE_MAINTAINER
  "Seed 346e6c19 maintainers <maintainers@users.noreply.c-seed-346e6c19.example>"
  CACHE STRING "The Maintainer field of the Debian package and its changelog")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvalinx)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Korvalinx developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "eight-channel logic analyser for the PC parallel port")
set(CPACK_PACKAGE_DESCRIPTION
"Korvalinx reads the eight data lines of a PC parallel port in tight polling
loops, waits for a quiet period and then for an edge on one trigger channel,
and captures up to 1,048,576 samples. It shows them as eight traces that can
be scrolled, zoomed and measured with two markers, saves and loads captures,
imports Tallymark event files and counts the level changes between the
markers.

The package holds two programs: korvalinx, for a real parallel port, and
korvalinx-demo, the same analyser on a virtual port with a built-in signal
generator, which needs no hardware and no privilege.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KORVALINX_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Help opens the text with xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
