# Tests of the main window, its masked edit field, the result dialog and the
# file commands. Each test program runs offscreen under CTest.
foreach(test MaskedEditTest SetupWindowTest SetupCommandsTest)
    add_executable(${test} ${CMAKE_CURRENT_LIST_DIR}/${test}.cpp
                           ${CMAKE_CURRENT_LIST_DIR}/WindowTestSupport.h)
    korvel_qt_target(${test})
    target_link_libraries(${test} PRIVATE korvel_ui Qt6::Test)
    add_test(NAME ${test} COMMAND ${test})
    set_tests_properties(${test} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endforeach()

# SEND from the window to the simulated tracker, through a pseudo-terminal.
if(UNIX AND TARGET korvel-tracker-sim)
    add_executable(SetupTrackerTest ${CMAKE_CURRENT_LIST_DIR}/SetupTrackerTest.cpp)
    korvel_qt_target(SetupTrackerTest)
    target_link_libraries(SetupTrackerTest PRIVATE korvel_ui Qt6::Test)
    target_compile_definitions(SetupTrackerTest PRIVATE
        KORVEL_TRACKER_SIM="$<TARGET_FILE:korvel-tracker-sim>")
    add_dependencies(SetupTrackerTest korvel-tracker-sim)
    add_test(NAME SetupTrackerTest COMMAND SetupTrackerTest)
    set_tests_properties(SetupTrackerTest PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
