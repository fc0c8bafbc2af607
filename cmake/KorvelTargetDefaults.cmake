# Settings every target of the project gets, set on the target itself rather
# than for the whole directory tree: the warnings (errors with KORVEL_WERROR);
# in the sanitizer build, AddressSanitizer and UndefinedBehaviorSanitizer; in
# the fuzzing build, also libFuzzer's coverage instrumentation, so that the
# fuzzers are guided by the code they exercise. A folder that sets
# KORVEL_LINE_TABLES_ONLY (the tests, the benchmarks) gets debug information
# of line tables only (-g1) in RelWithDebInfo: full debug information of the
# GoogleTest and Qt Test macros costs about a third of those files' compile
# time, while backtraces and sanitizer reports need only the lines. The code
# generated is the same; the libraries and programs under test keep full -g.
# A folder that sets KORVEL_TEST_CODE (the tests) is also optimised less (-O1)
# in RelWithDebInfo: the tests' own code is mostly the test macros, which -O2
# makes about 30% slower to compile and no faster to run; the libraries and
# programs under test keep -O2, so the code tested is the code shipped. The
# benchmarks keep -O2: they time their own loops too.
function(korvel_target_defaults target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /utf-8 $<$<BOOL:${KORVEL_WERROR}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra
                               $<$<BOOL:${KORVEL_WERROR}>:-Werror>)
        if(KORVEL_LINE_TABLES_ONLY)
            target_compile_options(${target} PRIVATE $<$<CONFIG:RelWithDebInfo>:-g1>)
        endif()
        if(KORVEL_TEST_CODE)
            target_compile_options(${target} PRIVATE $<$<CONFIG:RelWithDebInfo>:-O1>)
        endif()
    endif()
    if(KORVEL_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                               -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    if(KORVEL_BUILD_FUZZERS)
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                               -fno-sanitize-recover=all)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# Qt's code generators (moc, uic) run only for the targets that use Qt, never
# for the Qt-free core and its tests.
function(korvel_qt_target target)
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTOUIC ON)
endfunction()
