# The main window Setup with its commands, the result dialog and the small
# layers they stand on (masked edit field, file dialog).
target_sources(korvel_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CodePageText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CodePageText.h
    ${CMAKE_CURRENT_LIST_DIR}/CommonD.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommonD.h
    ${CMAKE_CURRENT_LIST_DIR}/Dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/MaskedEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MaskedEdit.h
    ${CMAKE_CURRENT_LIST_DIR}/Setup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Setup.h
    ${CMAKE_CURRENT_LIST_DIR}/SetupControls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SetupControls.h
    ${CMAKE_CURRENT_LIST_DIR}/WindowMetrics.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowMetrics.h
    ${CMAKE_CURRENT_LIST_DIR}/icons.qrc)
target_link_libraries(korvel_ui PUBLIC korvel_transfer_qt korvel_settingsfile_io)
