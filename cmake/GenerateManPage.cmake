# Writes one gzipped manual page from a program's own --help and --version
# (cmake -P, called by the build). Arguments: HELP2MAN GZIP PROGRAM NAME
# DESCRIPTION HELP_OPTION SOURCE INCLUDE OUTPUT DATE_EPOCH.
set(page "${OUTPUT}.tmp")
# Dated by the release (CHANGELOG.md), not by the build, so that two builds of one
# release make the same package.
set(ENV{SOURCE_DATE_EPOCH} ${DATE_EPOCH})
execute_process(
    COMMAND ${HELP2MAN} --no-info --no-discard-stderr
            --name=${DESCRIPTION} --section=1 --source=${SOURCE}
            --help-option=${HELP_OPTION} --version-option=--version
            --include=${INCLUDE} --output=${page} ${PROGRAM}
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "help2man failed for ${PROGRAM}")
endif()
# The help's "Exit status:" and "Commands:" blocks become sections of their own
# (help2man only knows Options, Environment, Files and Examples by name).
file(READ ${page} text)
string(REPLACE ".SS \"Exit status:\"" ".SH \"EXIT STATUS\"" text "${text}")
string(REPLACE ".SS \"Commands:\"" ".SH COMMANDS" text "${text}")
string(REPLACE ".SS \"Examples:\"" ".SH EXAMPLES" text "${text}")
file(WRITE ${page} "${text}")
# Debian wants manual pages compressed with gzip -9n (no name, no time stamp).
execute_process(COMMAND ${GZIP} -9n -c ${page} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE failed)
file(REMOVE ${page})
if(failed)
    message(FATAL_ERROR "gzip failed for ${OUTPUT}")
endif()
