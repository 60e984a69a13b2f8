# The 32-bit build of the tests: GoogleTest needs the posix thread model.
set(PELORIN_I686_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
