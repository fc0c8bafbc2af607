# Qt tests of the transfer (QtTest).
function(korvel_transfer_qt_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE korvel_transfer_qt Qt6::Test)
    korvel_qt_target(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endfunction()

korvel_transfer_qt_test(transfer_event_driven_tests EventDrivenSenderTest.cpp)

if(UNIX)
    # Against pseudo-terminals, as the simulated tracker uses them.
    set(tools ${CMAKE_CURRENT_SOURCE_DIR}/../../tools)
    korvel_transfer_qt_test(transfer_serial_port_tests SerialPortTest.cpp ${tools}/PseudoTerminal.cpp)
    target_include_directories(transfer_serial_port_tests PRIVATE ${tools})
endif()

if(UNIX AND TARGET korvel-config)
    korvel_transfer_qt_test(transfer_end_to_end_tests SendEndToEndTest.cpp)
    target_compile_definitions(transfer_end_to_end_tests PRIVATE
        KORVEL_CONFIG="$<TARGET_FILE:korvel-config>"
        KORVEL_TRACKER_SIM="$<TARGET_FILE:korvel-tracker-sim>")
    add_dependencies(transfer_end_to_end_tests korvel-config korvel-tracker-sim)
endif()
