# Every target of the project takes these options through quorl_set_options() so
# the sanitizer build covers all of them. Warnings become errors where the project
# checks itself (QUORL_WERROR, on in scripts/test.sh), not in a user's or a
# packager's build, whose compiler may know warnings ours does not.
add_library(quorl_options INTERFACE)
target_compile_options(quorl_options INTERFACE
    -Wall -Wextra -Wpedantic $<$<BOOL:${QUORL_WERROR}>:-Werror> -Wshadow -Wconversion
    -Wno-sign-conversion -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
if(QUORL_SANITIZE)
    target_compile_options(quorl_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quorl_options INTERFACE -fsanitize=address,undefined)
endif()
# The fuzz build instruments every library it builds, once: the fuzz targets link
# the product's folders and the fuzzer sees their branches. Only the fuzz targets
# link libFuzzer itself (quorl_fuzz_target in fuzz/).
if(QUORL_FUZZ)
    target_compile_options(quorl_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
        -fno-sanitize-recover=undefined -g -O1)
    target_link_options(quorl_options INTERFACE -fsanitize=address,undefined)
endif()

# The hardening a Debian build gets from dpkg-buildflags: checked string and memory
# functions (they need the optimiser), a stack guard, and a read-only relocation
# table resolved at start. The sanitizer and fuzz builds leave them out: they check more.
if(QUORL_HARDENING AND NOT QUORL_SANITIZE AND NOT QUORL_FUZZ)
    target_compile_options(quorl_options INTERFACE -fstack-protector-strong
        $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)
    target_link_options(quorl_options INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()

function(quorl_set_options target)
    target_link_libraries(${target} PRIVATE quorl_options)
endfunction()

# Registers a test program's tests with CTest. Every test process runs through
# tests/isolated_run.sh, so nothing on the machine (a registered simulator, a cradle,
# the tester's settings) decides its result. Every test program goes through here.
function(quorl_discover_tests target)
    set_target_properties(${target} PROPERTIES
        CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/tests/isolated_run.sh")
    # Parametrised tests are named by their name generator, not by their bytes.
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()

# Tests get the same options, plus the data folder of the build tree.
function(quorl_add_test target)
    add_executable(${target} ${ARGN})
    quorl_set_options(${target})
    target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main)
    target_compile_definitions(${target} PRIVATE
        QUORL_TEST_STAGE_DATA_DIR="${QUORL_STAGE_DATA_DIR}"
        QUORL_TEST_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}"
        QUORL_TEST_LIB_DIR="${CMAKE_LIBRARY_OUTPUT_DIRECTORY}")
    quorl_discover_tests(${target})
endfunction()
