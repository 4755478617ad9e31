# The Windows test programs run under Wine (the cross-compiling emulator), in a Wine prefix
# of their own under the build folder. One fixture makes it before the first test, so that
# parallel tests do not each start making it; no display, no .NET or HTML engine asked for.
set(TOLVANE_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(TOLVANE_WINE_ENVIRONMENT
    WINEPREFIX=${TOLVANE_WINE_PREFIX} WINEDLLOVERRIDES=mscoree,mshtml= WINEDEBUG=-all
    LANG=C.UTF-8 DISPLAY= WAYLAND_DISPLAY=)

add_test(NAME wine_prefix
    COMMAND ${CMAKE_COMMAND} -DPREFIX=${TOLVANE_WINE_PREFIX} -P ${CMAKE_CURRENT_LIST_DIR}/MakeWinePrefix.cmake)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${TOLVANE_WINE_ENVIRONMENT}")

# tolvane_add_wine_test(NAME): the test program NAME, all its tests in one Wine process.
function(tolvane_add_wine_test name)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine
        ENVIRONMENT "${TOLVANE_WINE_ENVIRONMENT}")
endfunction()

# The same commands on the examples give the same bytes as the Linux build's tolvane-cli.
set(TOLVANE_LINUX_CLI ${PROJECT_SOURCE_DIR}/build/default/cli/tolvane-cli
    CACHE FILEPATH "tolvane-cli of a Linux build, for the Windows build to be compared with")
add_test(NAME cli_same_as_linux
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/compare-with-linux.sh ${TOLVANE_LINUX_CLI}
            $<TARGET_FILE:tolvane-cli> ${PROJECT_SOURCE_DIR}/examples)
set_tests_properties(cli_same_as_linux PROPERTIES FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77
    ENVIRONMENT "${TOLVANE_WINE_ENVIRONMENT}")

add_test(NAME cli_imports_system_dlls_only
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:tolvane-cli>
            -P ${CMAKE_CURRENT_LIST_DIR}/SystemDllsOnly.cmake)
