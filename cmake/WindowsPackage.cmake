# The download for Windows (the windows-zip workflow): tolvane-cli-<version>-windows-x64.zip
# with the program, the README's command-line section as README.txt (CR LF) and the licence.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/README.txt
    COMMAND ${CMAKE_COMMAND} -DREADME=${PROJECT_SOURCE_DIR}/README.md
            -DOUT=${CMAKE_BINARY_DIR}/README.txt -P ${PROJECT_SOURCE_DIR}/cmake/WindowsReadme.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/cmake/WindowsReadme.cmake)
add_custom_target(tolvane-cli-readme ALL DEPENDS ${CMAKE_BINARY_DIR}/README.txt)
install(FILES ${CMAKE_BINARY_DIR}/README.txt ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tolvane-cli)
set(CPACK_PACKAGE_FILE_NAME tolvane-cli-${PROJECT_VERSION}-windows-x64)
set(CPACK_STRIP_FILES ON)
include(CPack)
