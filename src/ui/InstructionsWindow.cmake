# The instructions window, its RTF-to-text-document converter, and the
# instructions document itself, copied beside the program and installed.
# The data folder (KORVEL_DATA_DIR) comes from the core's interface, src/rtf.
include(GNUInstallDirs)

target_sources(korvel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmIstruzioni.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmIstruzioni.h
    ${CMAKE_CURRENT_LIST_DIR}/InstructionsIcon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InstructionsIcon.h
    ${CMAKE_CURRENT_LIST_DIR}/RtfTextDocument.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RtfTextDocument.h)

set(korvel_manual_source ${CMAKE_SOURCE_DIR}/docs/Korvel_Config.rtf)
set(korvel_manual_copy ${CMAKE_BINARY_DIR}/bin/Korvel_Config.rtf)
add_custom_command(
    OUTPUT ${korvel_manual_copy}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${korvel_manual_source} ${korvel_manual_copy}
    DEPENDS ${korvel_manual_source}
    COMMENT "Copying the instructions beside the program")
add_custom_target(korvel_manual ALL DEPENDS ${korvel_manual_copy})
add_dependencies(korvel_ui korvel_manual)
install(FILES ${korvel_manual_source} DESTINATION ${CMAKE_INSTALL_DATADIR}/korvel-config)
