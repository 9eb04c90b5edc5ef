# The release version and date as the About box and the Debian changelog write
# them. Plain functions, so tests/packaging/release_texts_test.cmake can run them.

function(quorl_two_digits value out)
    if(value LESS 10)
        set(${out} "0${value}" PARENT_SCOPE)
    else()
        set(${out} "${value}" PARENT_SCOPE)
    endif()
endfunction()

# 1.7 -> "R01.07", the pager trade's way of writing a release.
function(quorl_release_text major minor out)
    quorl_two_digits(${major} m)
    quorl_two_digits(${minor} n)
    set(${out} "R${m}.${n}" PARENT_SCOPE)
endfunction()

# YYYY-MM-DD -> "May 26th, 2014" (About box) and "Mon, 26 May 2014 00:00:00 +0000"
# (RFC 2822, the Debian changelog's form).
function(quorl_release_date_texts date out_text out_rfc2822)
    if(NOT date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        message(FATAL_ERROR "The release date must be YYYY-MM-DD, not '${date}'")
    endif()
    set(year ${CMAKE_MATCH_1})
    math(EXPR month "${CMAKE_MATCH_2}")
    math(EXPR day "${CMAKE_MATCH_3}")
    if(month LESS 1 OR month GREATER 12 OR day LESS 1 OR day GREATER 31)
        message(FATAL_ERROR "The release date '${date}' is not a date")
    endif()
    set(months January February March April May June July August September October November December)
    math(EXPR index "${month} - 1")
    list(GET months ${index} month_name)

    math(EXPR last "${day} % 10")
    math(EXPR tens "${day} / 10")
    if(tens EQUAL 1)
        set(suffix th) # 11th, 12th, 13th
    elseif(last EQUAL 1)
        set(suffix st)
    elseif(last EQUAL 2)
        set(suffix nd)
    elseif(last EQUAL 3)
        set(suffix rd)
    else()
        set(suffix th)
    endif()
    set(${out_text} "${month_name} ${day}${suffix}, ${year}" PARENT_SCOPE)

    # Day of the week by Sakamoto's rule (0 = Sunday).
    set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
    list(GET offsets ${index} offset)
    set(y ${year})
    if(month LESS 3)
        math(EXPR y "${y} - 1")
    endif()
    math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
    set(weekdays Sun Mon Tue Wed Thu Fri Sat)
    list(GET weekdays ${weekday} weekday_name)
    string(SUBSTRING "${month_name}" 0 3 month_short)
    quorl_two_digits(${day} day2)
    set(${out_rfc2822} "${weekday_name}, ${day2} ${month_short} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

# The date of `version`'s entry in a Keep a Changelog file ("## [1.7.0] - 2014-05-26"),
# which is where a release gets its date.
function(quorl_changelog_date changelog version out)
    file(STRINGS ${changelog} entries REGEX "^## \\[")
    string(REPLACE "." "\\." escaped "${version}")
    foreach(entry IN LISTS entries)
        if(entry MATCHES "^## \\[${escaped}\\] - ([0-9-]+)$")
            set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
            return()
        endif()
    endforeach()
    message(FATAL_ERROR "${changelog} has no dated entry '## [${version}] - YYYY-MM-DD'")
endfunction()

# YYYY-MM-DD -> seconds since 1970-01-01 UTC at the day's start (SOURCE_DATE_EPOCH,
# which dates the manual pages). Days counted by the civil-calendar rule whose years
# start in March, so leap days fall at a year's end.
function(quorl_date_epoch date out)
    if(NOT date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        message(FATAL_ERROR "The release date must be YYYY-MM-DD, not '${date}'")
    endif()
    math(EXPR y "${CMAKE_MATCH_1}")
    math(EXPR m "${CMAKE_MATCH_2}")
    math(EXPR d "${CMAKE_MATCH_3}")
    if(m LESS 3)
        math(EXPR y "${y} - 1")
        math(EXPR m "${m} + 9")
    else()
        math(EXPR m "${m} - 3")
    endif()
    math(EXPR days "365 * ${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + (153 * ${m} + 2) / 5 + ${d} - 1 - 719468")
    math(EXPR seconds "${days} * 86400")
    set(${out} ${seconds} PARENT_SCOPE)
endfunction()
