# korvel_add_test(NAME (GTEST | QTEST)
#                 SOURCES file...
#                 [LIBRARIES target...]
#                 [PROGRAMS program...]
#                 [DEFINITIONS definition...]
#                 [ARGS argument...]
#                 [TIMEOUT seconds])
#
# Builds the test program NAME and registers it with CTest.
#   GTEST       GoogleTest: every case becomes a CTest test of its own (in a
#               cross-build, the program is one CTest test).
#   QTEST       Qt Test (and Qt's code generators): the program is one CTest test.
#   LIBRARIES   what the test links, e.g. korvel_core or korvel_ui.
#   PROGRAMS    programs of the project that the test runs: each is built
#               first, and its path reaches the code as a macro named after it
#               (korvel-tracker-sim gives KORVEL_TRACKER_SIM).
#   DEFINITIONS further compile definitions.
#   ARGS        arguments the test program is run with (QTEST only).
#   TIMEOUT     seconds for each CTest test (CTest's default otherwise).
# Tests that run korvel-tracker-sim or link korvel_pseudo_terminal take the
# lock "pseudo_terminals", so that no two of them run at once.
# Every test runs with Qt's offscreen platform, so no display is needed.
function(korvel_add_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "GTEST;QTEST" "TIMEOUT"
                          "SOURCES;LIBRARIES;PROGRAMS;DEFINITIONS;ARGS")
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "korvel_add_test(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
    endif()
    if(arg_GTEST STREQUAL arg_QTEST)
        message(FATAL_ERROR "korvel_add_test(${name}): say GTEST or QTEST, one of them")
    endif()
    if(NOT arg_SOURCES)
        message(FATAL_ERROR "korvel_add_test(${name}): no SOURCES")
    endif()
    if(arg_ARGS AND arg_GTEST)
        message(FATAL_ERROR "korvel_add_test(${name}): ARGS are for QTEST programs")
    endif()

    add_executable(${name} ${arg_SOURCES})
    korvel_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES})
    # The helpers every test folder shares (tests/support).
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    target_compile_definitions(${name} PRIVATE ${arg_DEFINITIONS})
    foreach(program IN LISTS arg_PROGRAMS)
        string(TOUPPER ${program} macro)
        string(MAKE_C_IDENTIFIER ${macro} macro)
        target_compile_definitions(${name} PRIVATE ${macro}="$<TARGET_FILE:${program}>")
        add_dependencies(${name} ${program})
    endforeach()

    set(properties ENVIRONMENT QT_QPA_PLATFORM=offscreen)
    # A pseudo-terminal's number is free again once its simulated tracker is
    # gone, while a sender of another test may still hold that device's lock
    # file (QSerialPort names it after the device): two programs that start
    # simulated trackers at once could see each other's ports as busy.
    if("korvel-tracker-sim" IN_LIST arg_PROGRAMS OR "korvel_pseudo_terminal" IN_LIST arg_LIBRARIES)
        list(APPEND properties RESOURCE_LOCK pseudo_terminals)
    endif()
    if(arg_TIMEOUT)
        list(APPEND properties TIMEOUT ${arg_TIMEOUT})
    endif()
    if(arg_GTEST AND CMAKE_CROSSCOMPILING)
        # Run through an emulator (Wine), each start is costly: the program
        # runs all its cases as one CTest test, and GoogleTest names each failure.
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES ${properties})
    elseif(arg_GTEST)
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
        gtest_discover_tests(${name} NO_PRETTY_VALUES PROPERTIES ${properties})
    else()
        korvel_qt_target(${name})
        target_link_libraries(${name} PRIVATE Qt6::Test)
        if(NOT DEFINED KORVEL_SHARED_QT_TEST_HEADERS OR KORVEL_SHARED_QT_TEST_HEADERS)
            korvel_qt_test_headers(${name} "${arg_LIBRARIES}")
        endif()
        add_test(NAME ${name} COMMAND ${name} ${arg_ARGS})
        set_tests_properties(${name} PROPERTIES ${properties})
    endif()
endfunction()

# The Qt headers the Qt Test programs include, compiled once for all of a
# folder's programs: Qt Test with Qt Core, and for the programs that test
# windows (korvel_ui) the widgets they use. Whole module headers such as
# <QtWidgets> would cost more to load than they save. Each precompiled header is
# made by a target of its own in the same folder, with the same usage
# requirements as its users (Qt Test's definitions name the folder), so that
# the compiler accepts it. The nearly empty file of Qt's code generator does
# without it. A folder with only one or two Qt Test programs gains nothing and
# sets KORVEL_SHARED_QT_TEST_HEADERS to OFF before registering them.
function(korvel_qt_test_headers target libraries)
    if("korvel_ui" IN_LIST libraries)
        set(kind widgets)
        set(headers <QtTest/QtTest> <QApplication> <QCheckBox> <QComboBox> <QLabel>
                    <QMessageBox> <QPushButton> <QTextDocument>)
        set(base korvel_ui)
    else()
        set(kind core)
        set(headers <QtTest/QtTest>)
        set(base Qt6::Core)
    endif()
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    string(MAKE_C_IDENTIFIER "${folder}" folder)
    set(holder korvel_qt_headers_${kind}_${folder})
    if(NOT TARGET ${holder})
        set(source ${CMAKE_CURRENT_BINARY_DIR}/${holder}.cpp)
        file(CONFIGURE OUTPUT ${source} CONTENT "// Compiles the test programs' shared Qt headers.\n")
        add_library(${holder} OBJECT ${source})
        korvel_target_defaults(${holder})
        target_link_libraries(${holder} PRIVATE ${base} Qt6::Test)
        target_precompile_headers(${holder} PRIVATE ${headers})
    endif()
    target_precompile_headers(${target} REUSE_FROM ${holder})
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
                                PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endfunction()
