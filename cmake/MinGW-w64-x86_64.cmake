# Cross-build for 64-bit Windows with Debian's MinGW-w64 compiler (posix thread model, so that
# std::thread and std::mutex work). Test programs run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SRO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SRO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SRO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SRO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SRO_MINGW_PREFIX})
# The project's own OpenSSL build for Windows (scripts/build-openssl-windows.sh), a root of its
# own for the searches.
if(NOT OPENSSL_ROOT_DIR)
  if(DEFINED ENV{SRO_OPENSSL_WIN_DIR})
    set(OPENSSL_ROOT_DIR $ENV{SRO_OPENSSL_WIN_DIR})
  elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(OPENSSL_ROOT_DIR $ENV{XDG_CACHE_HOME}/sro-parser/openssl-win64)
  else()
    set(OPENSSL_ROOT_DIR $ENV{HOME}/.cache/sro-parser/openssl-win64)
  endif()
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${OPENSSL_ROOT_DIR})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthread linked in: an executable then needs only system DLLs
# and the two TLS DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Wine in a prefix of this build folder, without its debug chatter and without the
# installers of its .NET and HTML engines, which console programs never use; wine-run.sh starts
# again a program that Wine ended before it began.
set(CMAKE_CROSSCOMPILING_EMULATOR
    env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all
    "WINEDLLOVERRIDES=mscoree=;mshtml=" ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh wine)
