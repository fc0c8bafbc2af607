# Tests of the instructions window and its RTF-to-text-document converter,
# offscreen under CTest.
add_executable(InstructionsWindowTest ${CMAKE_CURRENT_LIST_DIR}/InstructionsWindowTest.cpp)
korvel_qt_target(InstructionsWindowTest)
target_link_libraries(InstructionsWindowTest PRIVATE korvel_ui Qt6::Test)
add_test(NAME InstructionsWindowTest COMMAND InstructionsWindowTest)
set_tests_properties(InstructionsWindowTest PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
