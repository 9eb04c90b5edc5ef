# The Debian package: `cmake --build build --target package` (or cpack -G DEB in
# the build folder) makes tessaly-vi-quorl_<version>_<arch>.deb. Dependencies
# come from dpkg-shlibdeps; the maintainer scripts reload udev where it runs.
set(QUORL_PACKAGE_MAINTAINER "Tessaly VI Quorl developers <quorl@tessaly-vi-quorl.example.org>"
    CACHE STRING "Maintainer field of the Debian package")
# A release build (-DQUORL_RELEASE=ON) must name its real maintainer and web address
# (-DQUORL_PACKAGE_MAINTAINER=..., -DQUORL_WEB_URL=...): the example.org placeholders
# would fail AppStream's checks and leave users nowhere to turn.
option(QUORL_RELEASE "Build a release: placeholders in the package fields are errors" OFF)
if(QUORL_RELEASE)
    foreach(field QUORL_PACKAGE_MAINTAINER QUORL_WEB_URL)
        if("${${field}}" MATCHES "example\\.org")
            message(FATAL_ERROR "${field} is still the placeholder '${${field}}'; "
                                "set it with -D${field}=... for a release build")
        endif()
    endforeach()
endif()

# Debian's documentation files: copyright and a changelog compressed with gzip -9n.
set(QUORL_PACKAGE_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/tessaly-vi-quorl")
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in
               ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
find_program(QUORL_GZIP gzip REQUIRED)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
    COMMAND ${QUORL_GZIP} -9nf -k ${CMAKE_BINARY_DIR}/debian/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog)
# The README (which the help and the manual pages point to) and the project's own
# changelog ship beside them, compressed the same way.
foreach(doc README.md CHANGELOG.md)
    add_custom_command(
        OUTPUT ${CMAKE_BINARY_DIR}/debian/${doc}.gz
        COMMAND ${QUORL_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/${doc} > ${CMAKE_BINARY_DIR}/debian/${doc}.gz
        DEPENDS ${PROJECT_SOURCE_DIR}/${doc})
endforeach()
add_custom_target(quorl_package_changelog ALL
                  DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz
                          ${CMAKE_BINARY_DIR}/debian/README.md.gz
                          ${CMAKE_BINARY_DIR}/debian/CHANGELOG.md.gz)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright
              ${CMAKE_BINARY_DIR}/debian/changelog.gz
              ${CMAKE_BINARY_DIR}/debian/README.md.gz
              ${CMAKE_BINARY_DIR}/debian/CHANGELOG.md.gz
        DESTINATION ${QUORL_PACKAGE_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaly-vi-quorl)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "${QUORL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for the Tessaly VI voice pager")
# The long description under the summary line; CPack indents it and marks the
# empty line as a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads the configuration memory (codeplug) of a Tessaly VI two-tone voice
pager in its USB programming cradle, edits channels, tones, call addresses,
function switches and alerts, keeps codeplugs in .ppg files, prints their
summary and writes them back. It compresses and loads custom voice
recordings into the pager.

The package holds the desktop program, the command-line tool quorl, a pager
simulator for work without hardware, and the udev rule for the cradle.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUORL_WEB_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Help opens in the browser through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/resources/debian/postinst
    ${PROJECT_SOURCE_DIR}/resources/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
