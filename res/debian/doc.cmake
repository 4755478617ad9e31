# The copyright file and the changelog in the form Debian's tools read, installed into the
# documentation folder (share/doc/tolvane). Included from install.cmake, which provides
# _tolvane_res, _tolvane_generated and _tolvane_gzip.

# The license as a machine-readable copyright file, its notice and text from LICENSE.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" _tolvane_license)
if(NOT _tolvane_license MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.*[^\n])\n*$")
  message(FATAL_ERROR "LICENSE: no line \"Copyright (c) ...\" followed by the license text")
endif()
set(TOLVANE_COPYRIGHT "${CMAKE_MATCH_1}")
# Each line indented by one space, an empty line as " ."
string(REPLACE "\n\n" "\n.\n" TOLVANE_LICENSE_TEXT " ${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " TOLVANE_LICENSE_TEXT "${TOLVANE_LICENSE_TEXT}")
configure_file("${_tolvane_res}/debian/copyright.in" "${_tolvane_generated}/copyright" @ONLY)
install(FILES "${_tolvane_generated}/copyright" DESTINATION "${CMAKE_INSTALL_DOCDIR}")

# The changelog names the release with its day and the one who made it.
set(TOLVANE_MAINTAINER "Tolvane developers <tolvane@example.org>" CACHE STRING
    "Name and mail address of whoever builds and distributes the package")
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _tolvane_date "${TOLVANE_RELEASE_DATE}")
math(EXPR _tolvane_year "${CMAKE_MATCH_1}")
math(EXPR _tolvane_month "${CMAKE_MATCH_2}")
math(EXPR _tolvane_day "${CMAKE_MATCH_3}")
set(_tolvane_day_text "${CMAKE_MATCH_3}")
# Day of the week (0 = Sunday), by Sakamoto's method.
set(_tolvane_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR _tolvane_index "${_tolvane_month} - 1")
list(GET _tolvane_offsets ${_tolvane_index} _tolvane_offset)
set(_tolvane_y ${_tolvane_year})
if(_tolvane_month LESS 3)
  math(EXPR _tolvane_y "${_tolvane_y} - 1")
endif()
math(EXPR _tolvane_weekday "(${_tolvane_y} + ${_tolvane_y} / 4 - ${_tolvane_y} / 100 + ${_tolvane_y} / 400 + ${_tolvane_offset} + ${_tolvane_day}) % 7")
set(_tolvane_weekdays Sun Mon Tue Wed Thu Fri Sat)
set(_tolvane_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET _tolvane_weekdays ${_tolvane_weekday} _tolvane_weekday)
list(GET _tolvane_months ${_tolvane_index} _tolvane_month)
set(TOLVANE_RELEASE_DATE_RFC2822
    "${_tolvane_weekday}, ${_tolvane_day_text} ${_tolvane_month} ${_tolvane_year} 00:00:00 +0000")
configure_file("${_tolvane_res}/debian/changelog.in" "${_tolvane_generated}/changelog" @ONLY)
_tolvane_gzip("${_tolvane_generated}/changelog")
install(FILES "${_tolvane_generated}/changelog.gz" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
