# Windows 10 and later, the wide functions, and windows.h without min and max macros.
add_compile_definitions(_WIN32_WINNT=0x0A00 UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)

# The header-only libraries of the Windows build: copies of Debian's headers and package files
# in a tree of their own, searched as a root beside mingw-w64's, so that no include path
# points at the build machine's /usr/include.
set(TOLVANE_STAGED_ROOT ${CMAKE_BINARY_DIR}/staged)
file(COPY /usr/include/nlohmann /usr/include/rapidjson DESTINATION ${TOLVANE_STAGED_ROOT}/usr/include)
file(COPY /usr/include/stb/stb_image.h DESTINATION ${TOLVANE_STAGED_ROOT}/usr/include/stb)
file(COPY /usr/share/cmake/nlohmann_json DESTINATION ${TOLVANE_STAGED_ROOT}/usr/share/cmake)
# Debian's RapidJSON package file names /usr/include outright; the staged one names the copy.
file(WRITE ${TOLVANE_STAGED_ROOT}/usr/share/cmake/RapidJSON/RapidJSONConfig.cmake
    "set(RAPIDJSON_INCLUDE_DIRS \"${TOLVANE_STAGED_ROOT}/usr/include\")\n"
    "set(RapidJSON_INCLUDE_DIRS \"${TOLVANE_STAGED_ROOT}/usr/include\")\n")
list(APPEND CMAKE_FIND_ROOT_PATH ${TOLVANE_STAGED_ROOT})

# GoogleTest built for the target from Debian's googletest sources (which name its targets
# GTest::gtest and GTest::gtest_main themselves).
if(BUILD_TESTING)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
