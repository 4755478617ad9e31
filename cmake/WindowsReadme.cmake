# Writes the README's tolvane-cli section (up to the next section) to OUT with CR LF line ends,
# as README.txt of the Windows download.  cmake -DREADME=... -DOUT=... -P WindowsReadme.cmake
file(READ ${README} text)
string(FIND "${text}" "\n## tolvane-cli\n" start)
if(start EQUAL -1)
    message(FATAL_ERROR "${README} has no section \"## tolvane-cli\"")
endif()
math(EXPR start "${start} + 1")
string(SUBSTRING "${text}" ${start} -1 text)
string(FIND "${text}" "\n## " end)
string(SUBSTRING "${text}" 0 ${end} text)
string(REPLACE "\n" "\r\n" text "${text}\n")
file(WRITE ${OUT} "${text}")
