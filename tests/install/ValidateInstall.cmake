# Installs BUILD_DIR under the prefix /usr into the staging folder STAGE (DESTDIR), then
# checks that every file is where the desktop, man and bash-completion look for it, that
# desktop-file-validate has nothing to say about the desktop entry, and that the AppStream
# metadata passes appstreamcli's pedantic validation (offline) with a release of VERSION.

function(fail)
  message(FATAL_ERROR ${ARGN})
endfunction()

file(REMOVE_RECURSE "${STAGE}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${STAGE}"
          "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix /usr
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  fail("cmake --install failed: ${result}")
endif()

set(share "${STAGE}/usr/share")
set(desktop "${share}/applications/io.github.tolvane.Tolvane.desktop")
set(metainfo "${share}/metainfo/io.github.tolvane.Tolvane.metainfo.xml")
foreach(file IN ITEMS
    "${STAGE}/usr/bin/tolvane" "${STAGE}/usr/bin/tolvane-cli" "${desktop}" "${metainfo}"
    "${share}/mime/packages/io.github.tolvane.Tolvane.xml"
    "${share}/icons/hicolor/scalable/apps/tolvane.svg"
    "${share}/man/man1/tolvane.1" "${share}/man/man1/tolvane-cli.1"
    "${share}/bash-completion/completions/tolvane-cli" "${share}/doc/Tolvane/LICENSE")
  if(NOT EXISTS "${file}")
    fail("not installed: ${file}")
  endif()
endforeach()

execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${desktop}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
  fail("desktop-file-validate (${result}):\n${output}")
endif()

execute_process(COMMAND "${APPSTREAMCLI}" validate --pedantic --no-net "${metainfo}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR output MATCHES "(^|\n)[EW]: ")
  fail("appstreamcli validate (${result}):\n${output}")
endif()

file(READ "${metainfo}" content)
if(NOT content MATCHES "<release version=\"${VERSION}\" date=\"[0-9-]+\"/>")
  fail("no release ${VERSION} in ${metainfo}")
endif()
foreach(element IN ITEMS "<url type=\"homepage\">" "<developer " "<screenshot "
                         "<project_license>MIT</project_license>")
  if(NOT content MATCHES "${element}")
    fail("${element} missing in ${metainfo}")
  endif()
endforeach()
