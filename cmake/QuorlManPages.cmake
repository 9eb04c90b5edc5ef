# Manual pages generated at build time from each program's own --help, so they
# always describe the programs that are built. Needs help2man (Debian package
# help2man); without it the build goes on without manual pages.
if(QUORL_SANITIZE)
    # The package comes from the normal build; sanitized programs are for tests.
    return()
endif()
find_program(QUORL_HELP2MAN help2man)
find_program(QUORL_GZIP gzip)
if(NOT QUORL_HELP2MAN OR NOT QUORL_GZIP)
    message(STATUS "help2man or gzip not found: no manual pages")
    return()
endif()

set(QUORL_MAN_DIR "${CMAKE_BINARY_DIR}/man")
file(MAKE_DIRECTORY ${QUORL_MAN_DIR})
set(QUORL_MAN_PAGES)

set(QUORL_MAN_PROGRAMS tessaly-vi-quorl quorl quorl-pager-sim quorl-report quorl-tone-player)
if(NOT QUORL_BUILD_GUI)
    set(QUORL_MAN_PROGRAMS quorl quorl-pager-sim)
endif()

# quorl_man_page(TARGET DESCRIPTION HELP_OPTION)
function(quorl_man_page target description help_option)
    set(out "${QUORL_MAN_DIR}/${target}.1.gz")
    # SEE ALSO: the other pages (a page does not name itself), the manual and the README.
    set(include "${QUORL_MAN_DIR}/${target}.h2m")
    set(see_also "[SEE ALSO]\n")
    set(others ${QUORL_MAN_PROGRAMS})
    list(REMOVE_ITEM others ${target})
    list(LENGTH others count)
    set(n 0)
    foreach(other IN LISTS others)
        math(EXPR n "${n} + 1")
        if(n LESS count)
            string(APPEND see_also ".BR ${other} (1),\n")
        else()
            string(APPEND see_also ".BR ${other} (1)\n")
        endif()
    endforeach()
    string(APPEND see_also ".PP\nThe manual of the program: /usr/share/tessaly-vi-quorl/Help/index.html\n"
                           ".PP\nThe README: /usr/share/doc/tessaly-vi-quorl/README.md.gz\n")
    file(WRITE ${include} "${see_also}")
    add_custom_command(
        OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORL_MAN_DIR}
        COMMAND ${CMAKE_COMMAND}
                -DHELP2MAN=${QUORL_HELP2MAN} -DGZIP=${QUORL_GZIP}
                -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target}
                "-DDESCRIPTION=${description}" -DHELP_OPTION=${help_option}
                "-DSOURCE=Tessaly VI Quorl ${PROJECT_VERSION}"
                -DINCLUDE=${include} -DOUTPUT=${out} -DDATE_EPOCH=${QUORL_RELEASE_EPOCH}
                -P ${PROJECT_SOURCE_DIR}/cmake/GenerateManPage.cmake
        DEPENDS ${target} ${include} ${PROJECT_SOURCE_DIR}/cmake/GenerateManPage.cmake
                ${QUORL_CHANGELOG}
        COMMENT "Generating the manual page ${target}(1)")
    set(QUORL_MAN_PAGES ${QUORL_MAN_PAGES} ${out} PARENT_SCOPE)
endfunction()

quorl_man_page(quorl "command-line tool of Tessaly VI Quorl" --help-all)
quorl_man_page(quorl-pager-sim "Tessaly VI pager in its programming cradle, simulated" --help)
if(QUORL_BUILD_GUI)
    quorl_man_page(tessaly-vi-quorl "Tessaly VI two-tone voice pager programming software" --help)
    quorl_man_page(quorl-report "printed summary of a Tessaly VI codeplug as a PDF" --help)
    quorl_man_page(quorl-tone-player "sound output of quorl tones play" --help)
endif()

add_custom_target(quorl_man_pages ALL DEPENDS ${QUORL_MAN_PAGES})
install(FILES ${QUORL_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
