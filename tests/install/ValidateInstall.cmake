# Installs BUILD_DIR under the prefix /usr into the staging folder STAGE (DESTDIR), then
# checks that every file is where the desktop, man and bash-completion look for it, that
# desktop-file-validate has nothing to say about the desktop entry, and that the AppStream
# metadata passes appstreamcli's pedantic validation (offline) with a release of VERSION and
# names exactly the addresses HOMEPAGE_URL, BUGTRACKER_URL and SCREENSHOT_URL that are set.

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
    "${share}/man/man1/tolvane.1.gz" "${share}/man/man1/tolvane-cli.1.gz"
    "${share}/bash-completion/completions/tolvane-cli"
    "${share}/doc/tolvane/copyright" "${share}/doc/tolvane/changelog.gz")
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
foreach(element IN ITEMS "<developer " "<project_license>MIT</project_license>")
  if(NOT content MATCHES "${element}")
    fail("${element} missing in ${metainfo}")
  endif()
endforeach()
# An address appears exactly when it is set.
foreach(kind IN ITEMS homepage bugtracker screenshot)
  string(TOUPPER "${kind}_URL" variable)
  if(kind STREQUAL screenshot)
    set(element "<screenshot ")
  else()
    set(element "<url type=\"${kind}\">")
  endif()
  string(FIND "${content}" "${element}" at)
  if("${${variable}}" STREQUAL "" AND NOT at EQUAL -1)
    fail("${element} in ${metainfo} although ${variable} is empty")
  elseif(NOT "${${variable}}" STREQUAL "" AND at EQUAL -1)
    fail("${element} missing in ${metainfo} although ${variable} is set")
  endif()
endforeach()
