# Fails when PROGRAM imports a DLL that Windows does not ship: libstdc++, libgcc and winpthread
# are to be linked in, so that the program runs with no DLL beside it.
execute_process(COMMAND x86_64-w64-mingw32-objdump -p ${PROGRAM} OUTPUT_VARIABLE dump
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(TOUPPER "${dll}" dll)
    if(NOT dll MATCHES "^(KERNEL32|MSVCRT|ADVAPI32|USER32|SHELL32|UCRTBASE|API-MS-WIN-.*)\\.DLL$")
        message(FATAL_ERROR "${PROGRAM} needs ${dll}, which Windows does not ship")
    endif()
    message(STATUS "imports ${dll}")
endforeach()
