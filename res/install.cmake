# Desktop integration of the Tolvane editor: the desktop entry, the MIME type of .gui
# libraries, the AppStream metadata and the icons in the hicolor theme.
# Included from the top-level CMakeLists.txt; every path is relative to this file.

include(GNUInstallDirs)

set(_tolvane_res "${CMAKE_CURRENT_LIST_DIR}")

# Desktop entry; its file name is the application id.
install(FILES "${_tolvane_res}/desktop/io.github.tolvane.Tolvane.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")

# MIME type application/x-tolvane-library (*.gui and the 16-byte magic).
install(FILES "${_tolvane_res}/desktop/tolvane-mime.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages"
        RENAME io.github.tolvane.Tolvane.xml)

# AppStream metadata.
install(FILES "${_tolvane_res}/desktop/io.github.tolvane.Tolvane.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# Icons: "tolvane" for the application, "application-x-tolvane-library" for .gui files.
foreach(_tolvane_size IN ITEMS 16 32 48 64 128 256)
  set(_tolvane_dir "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_tolvane_size}x${_tolvane_size}")
  install(FILES "${_tolvane_res}/icons/tolvane-${_tolvane_size}.png"
          DESTINATION "${_tolvane_dir}/apps"
          RENAME tolvane.png)
  install(FILES "${_tolvane_res}/icons/tolvane-document-${_tolvane_size}.png"
          DESTINATION "${_tolvane_dir}/mimetypes"
          RENAME application-x-tolvane-library.png)
endforeach()
install(FILES "${_tolvane_res}/icons/tolvane.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${_tolvane_res}/icons/application-x-tolvane-library.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes")

# When installing straight into a prefix (no DESTDIR, as a package build would use), refresh
# the desktop caches so that the type and the icons are known at once. Each tool is optional;
# a missing tool or a failure only leaves the caches to be refreshed later.
install(CODE "set(_tolvane_data \"${CMAKE_INSTALL_DATADIR}\")")
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
