# One source for the version: project(VERSION) and the release date below feed
# the programs' --version, the About box, the library's version note, the
# package and the AppStream release.
# QUORL_RELEASE_DATE (YYYY-MM-DD) is set beside project(VERSION) in CMakeLists.txt.

# The release as the pager trade writes it: 1.7.x -> R01.07.
function(quorl_two_digits value out)
    if(value LESS 10)
        set(${out} "0${value}" PARENT_SCOPE)
    else()
        set(${out} "${value}" PARENT_SCOPE)
    endif()
endfunction()
quorl_two_digits(${PROJECT_VERSION_MAJOR} _major)
quorl_two_digits(${PROJECT_VERSION_MINOR} _minor)
set(QUORL_RELEASE_TEXT "R${_major}.${_minor}")

# The About box spells the date out: "May 26th, 2014".
if(NOT QUORL_RELEASE_DATE MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    message(FATAL_ERROR "QUORL_RELEASE_DATE must be YYYY-MM-DD, not '${QUORL_RELEASE_DATE}'")
endif()
set(_year ${CMAKE_MATCH_1})
math(EXPR _month "${CMAKE_MATCH_2}")
math(EXPR _day "${CMAKE_MATCH_3}")
set(_months January February March April May June July August September October November December)
if(_month LESS 1 OR _month GREATER 12 OR _day LESS 1 OR _day GREATER 31)
    message(FATAL_ERROR "QUORL_RELEASE_DATE '${QUORL_RELEASE_DATE}' is not a date")
endif()
math(EXPR _index "${_month} - 1")
list(GET _months ${_index} _month_name)
math(EXPR _last "${_day} % 10")
math(EXPR _tens "${_day} / 10")
if(_tens EQUAL 1)
    set(_suffix th)
elseif(_last EQUAL 1)
    set(_suffix st)
elseif(_last EQUAL 2)
    set(_suffix nd)
elseif(_last EQUAL 3)
    set(_suffix rd)
else()
    set(_suffix th)
endif()
set(QUORL_RELEASE_DATE_TEXT "${_month_name} ${_day}${_suffix}, ${_year}")

set(QUORL_GENERATED_DIR "${CMAKE_BINARY_DIR}/generated")
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorl_version.h.in ${QUORL_GENERATED_DIR}/quorl_version.h @ONLY)
add_library(quorl_version INTERFACE)
target_include_directories(quorl_version INTERFACE ${QUORL_GENERATED_DIR})
