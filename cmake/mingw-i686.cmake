# The 32-bit program we ship. It uses the win32 thread-model compilers: the
# posix model's runtime imports GetTickCount64, which Windows XP and 2000 do
# not have, so the program would not start there. The 32-bit tests, which
# GoogleTest makes need the posix model, set PELORIN_I686_THREADS first.
if(NOT DEFINED PELORIN_I686_THREADS)
    set(PELORIN_I686_THREADS win32)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOL_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${TOOL_PREFIX}-gcc-${PELORIN_I686_THREADS})
set(CMAKE_CXX_COMPILER ${TOOL_PREFIX}-g++-${PELORIN_I686_THREADS})
set(CMAKE_RC_COMPILER ${TOOL_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOL_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
