# Cross-builds for 64-bit Windows with Debian's mingw-w64 compilers (the posix
# thread model, which std::thread and std::mutex need), statically linked so
# that the programs need no DLL beside them. The tests run under Wine
# (scripts/wine-run), with a Wine prefix inside the build folder.
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64.cmake -DKORVEL_WITH_QT=OFF ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(korvel_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${korvel_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${korvel_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${korvel_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${korvel_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run ${CMAKE_BINARY_DIR}/wine)
