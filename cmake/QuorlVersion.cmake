# One source for the version: project(VERSION) and QUORL_RELEASE_DATE (set
# beside it in CMakeLists.txt) feed the programs' --version, the About box, the
# library's version note, the package and the AppStream release.
include(${CMAKE_CURRENT_LIST_DIR}/QuorlReleaseTexts.cmake)

quorl_release_text(${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} QUORL_RELEASE_TEXT)
quorl_release_date_texts(${QUORL_RELEASE_DATE} QUORL_RELEASE_DATE_TEXT QUORL_RELEASE_DATE_RFC2822)

set(QUORL_GENERATED_DIR "${CMAKE_BINARY_DIR}/generated")
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorl_version.h.in ${QUORL_GENERATED_DIR}/quorl_version.h @ONLY)
add_library(quorl_version INTERFACE)
target_include_directories(quorl_version INTERFACE ${QUORL_GENERATED_DIR})
