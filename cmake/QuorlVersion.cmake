# One source for the version: project(VERSION) and its dated entry in CHANGELOG.md
# feed the programs' --version, the About box, the library's version note, the
# package, the AppStream release and the manual pages' date.
include(${CMAKE_CURRENT_LIST_DIR}/QuorlReleaseTexts.cmake)

set(QUORL_CHANGELOG "${PROJECT_SOURCE_DIR}/CHANGELOG.md")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUORL_CHANGELOG})
quorl_changelog_date(${QUORL_CHANGELOG} ${PROJECT_VERSION} QUORL_RELEASE_DATE)
quorl_date_epoch(${QUORL_RELEASE_DATE} QUORL_RELEASE_EPOCH)

quorl_release_text(${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} QUORL_RELEASE_TEXT)
quorl_release_date_texts(${QUORL_RELEASE_DATE} QUORL_RELEASE_DATE_TEXT QUORL_RELEASE_DATE_RFC2822)

set(QUORL_GENERATED_DIR "${CMAKE_BINARY_DIR}/generated")
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorl_version.h.in ${QUORL_GENERATED_DIR}/quorl_version.h @ONLY)
add_library(quorl_version INTERFACE)
target_include_directories(quorl_version INTERFACE ${QUORL_GENERATED_DIR})
