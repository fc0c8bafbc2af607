# korvel_add_test(NAME (GTEST | QTEST)
#                 SOURCES file...
#                 [LIBRARIES target...]
#                 [PROGRAMS program...]
#                 [DEFINITIONS definition...]
#                 [TIMEOUT seconds])
#
# Builds the test program NAME and registers it with CTest.
#   GTEST       GoogleTest: every case becomes a CTest test of its own.
#   QTEST       Qt Test (and Qt's code generators): the program is one CTest test.
#   LIBRARIES   what the test links, e.g. korvel_core or korvel_ui.
#   PROGRAMS    programs of the project that the test runs: each is built
#               first, and its path reaches the code as a macro named after it
#               (korvel-tracker-sim gives KORVEL_TRACKER_SIM).
#   DEFINITIONS further compile definitions.
#   TIMEOUT     seconds for each CTest test (CTest's default otherwise).
# Every test runs with Qt's offscreen platform, so no display is needed.
function(korvel_add_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "GTEST;QTEST" "TIMEOUT"
                          "SOURCES;LIBRARIES;PROGRAMS;DEFINITIONS")
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "korvel_add_test(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
    endif()
    if(arg_GTEST STREQUAL arg_QTEST)
        message(FATAL_ERROR "korvel_add_test(${name}): say GTEST or QTEST, one of them")
    endif()
    if(NOT arg_SOURCES)
        message(FATAL_ERROR "korvel_add_test(${name}): no SOURCES")
    endif()

    add_executable(${name} ${arg_SOURCES})
    korvel_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES})
    target_compile_definitions(${name} PRIVATE ${arg_DEFINITIONS})
    foreach(program IN LISTS arg_PROGRAMS)
        string(TOUPPER ${program} macro)
        string(MAKE_C_IDENTIFIER ${macro} macro)
        target_compile_definitions(${name} PRIVATE ${macro}="$<TARGET_FILE:${program}>")
        add_dependencies(${name} ${program})
    endforeach()

    set(properties ENVIRONMENT QT_QPA_PLATFORM=offscreen)
    if(arg_TIMEOUT)
        list(APPEND properties TIMEOUT ${arg_TIMEOUT})
    endif()
    if(arg_GTEST)
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
        gtest_discover_tests(${name} NO_PRETTY_VALUES PROPERTIES ${properties})
    else()
        korvel_qt_target(${name})
        target_link_libraries(${name} PRIVATE Qt6::Test)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES ${properties})
    endif()
endfunction()
