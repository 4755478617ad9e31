# Makes the Wine prefix PREFIX unless an earlier run made it, and waits until Wine has settled.
if(EXISTS ${PREFIX}/system.reg)
    return()
endif()
execute_process(COMMAND /usr/lib/wine/wine64 wineboot --init RESULT_VARIABLE result)
execute_process(COMMAND /usr/lib/wine/wineserver -w)
if(NOT result EQUAL 0 OR NOT EXISTS ${PREFIX}/system.reg)
    message(FATAL_ERROR "wineboot --init could not make the Wine prefix ${PREFIX} (${result})")
endif()
