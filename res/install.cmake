# Desktop integration of the Tolvane editor: the desktop entry, the MIME type of .gui
# libraries, the AppStream metadata and the icons in the hicolor theme; the man pages, the
# bash completion of tolvane-cli, the copyright file and the changelog.
# Included from the top-level CMakeLists.txt (after GNUInstallDirs); every source path is
# relative to this file.

set(_tolvane_res "${CMAKE_CURRENT_LIST_DIR}")
set(_tolvane_generated "${PROJECT_BINARY_DIR}/generated")

# Desktop entry; its file name is the application id.
install(FILES "${_tolvane_res}/desktop/io.github.tolvane.Tolvane.desktop"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")

# MIME type application/x-tolvane-library (*.gui and the 16-byte magic).
install(FILES "${_tolvane_res}/desktop/tolvane-mime.xml"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/mime/packages"
        RENAME io.github.tolvane.Tolvane.xml)

# Addresses a distributor fills in; the AppStream metadata and the package's control fields
# name only those that are set.
set(TOLVANE_HOMEPAGE_URL "" CACHE STRING "Address of the project's home page (none when empty)")
set(TOLVANE_BUGTRACKER_URL "" CACHE STRING "Address where users report faults (none when empty)")
set(TOLVANE_SCREENSHOT_URL "" CACHE STRING "Address of a screenshot of the editor (none when empty)")

# A text as XML character data.
function(_tolvane_xml_escape text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# AppStream metadata, its release from the project's version.
set(TOLVANE_METAINFO_URLS "")
foreach(_tolvane_kind IN ITEMS homepage bugtracker)
  string(TOUPPER "TOLVANE_${_tolvane_kind}_URL" _tolvane_variable)
  if(NOT "${${_tolvane_variable}}" STREQUAL "")
    _tolvane_xml_escape("${${_tolvane_variable}}" _tolvane_url)
    string(APPEND TOLVANE_METAINFO_URLS "\n  <url type=\"${_tolvane_kind}\">${_tolvane_url}</url>")
  endif()
endforeach()
if(NOT TOLVANE_METAINFO_URLS STREQUAL "")
  string(APPEND TOLVANE_METAINFO_URLS "\n")
endif()
set(TOLVANE_METAINFO_SCREENSHOTS "")
if(NOT TOLVANE_SCREENSHOT_URL STREQUAL "")
  _tolvane_xml_escape("${TOLVANE_SCREENSHOT_URL}" _tolvane_url)
  string(CONCAT TOLVANE_METAINFO_SCREENSHOTS
    "\n  <screenshots>\n"
    "    <screenshot type=\"default\">\n"
    "      <caption>The editor with a library open</caption>\n"
    "      <caption xml:lang=\"de\">Der Editor mit einer geöffneten Bibliothek</caption>\n"
    "      <image>${_tolvane_url}</image>\n"
    "    </screenshot>\n"
    "  </screenshots>\n")
endif()
configure_file("${_tolvane_res}/desktop/io.github.tolvane.Tolvane.metainfo.xml.in"
               "${_tolvane_generated}/io.github.tolvane.Tolvane.metainfo.xml" @ONLY)
install(FILES "${_tolvane_generated}/io.github.tolvane.Tolvane.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo")

# Man pages and the changelog are installed compressed, as distributions ship them: gzip at
# its best, without name and time stamp, so that the same sources give the same bytes.
find_program(TOLVANE_GZIP gzip REQUIRED)
function(_tolvane_gzip file)
  execute_process(COMMAND "${TOLVANE_GZIP}" -9 -n -k -f "${file}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip ${file}: ${result}")
  endif()
endfunction()

# Man pages tolvane(1) and tolvane-cli(1).
foreach(_tolvane_page IN ITEMS tolvane tolvane-cli)
  configure_file("${_tolvane_res}/man/${_tolvane_page}.1.in"
                 "${_tolvane_generated}/${_tolvane_page}.1" @ONLY)
  _tolvane_gzip("${_tolvane_generated}/${_tolvane_page}.1")
  install(FILES "${_tolvane_generated}/${_tolvane_page}.1.gz"
          DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endforeach()

# Bash completion of tolvane-cli, where bash-completion loads it on demand.
install(FILES "${_tolvane_res}/completion/tolvane-cli"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions")

# The copyright file and the changelog.
include("${_tolvane_res}/debian/doc.cmake")

# Icons: "tolvane" for the application, "application-x-tolvane-library" for .gui files.
foreach(_tolvane_size IN ITEMS 16 32 48 64 128 256)
  set(_tolvane_dir "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${_tolvane_size}x${_tolvane_size}")
  install(FILES "${_tolvane_res}/icons/tolvane-${_tolvane_size}.png"
          DESTINATION "${_tolvane_dir}/apps"
          RENAME tolvane.png)
  install(FILES "${_tolvane_res}/icons/tolvane-document-${_tolvane_size}.png"
          DESTINATION "${_tolvane_dir}/mimetypes"
          RENAME application-x-tolvane-library.png)
endforeach()
install(FILES "${_tolvane_res}/icons/tolvane.svg"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps")
install(FILES "${_tolvane_res}/icons/application-x-tolvane-library.svg"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/mimetypes")

# When installing straight into a prefix (no DESTDIR, as a package build would use), refresh
# the desktop caches so that the type and the icons are known at once. Each tool is optional;
# a missing tool or a failure only leaves the caches to be refreshed later.
install(CODE "set(_tolvane_data \"${CMAKE_INSTALL_DATAROOTDIR}\")")
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "")
    if(NOT IS_ABSOLUTE "${_tolvane_data}")
      set(_tolvane_data "${CMAKE_INSTALL_PREFIX}/${_tolvane_data}")
    endif()
    find_program(_tolvane_umd update-mime-database)
    find_program(_tolvane_udd update-desktop-database)
    find_program(_tolvane_gic gtk-update-icon-cache)
    if(_tolvane_umd)
      execute_process(COMMAND "${_tolvane_umd}" "${_tolvane_data}/mime"
                      RESULT_VARIABLE _tolvane_rc OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(_tolvane_udd)
      execute_process(COMMAND "${_tolvane_udd}" -q "${_tolvane_data}/applications"
                      RESULT_VARIABLE _tolvane_rc OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(_tolvane_gic AND EXISTS "${_tolvane_data}/icons/hicolor/index.theme")
      execute_process(COMMAND "${_tolvane_gic}" -q -t "${_tolvane_data}/icons/hicolor"
                      RESULT_VARIABLE _tolvane_rc OUTPUT_QUIET ERROR_QUIET)
    endif()
  endif()
]])
