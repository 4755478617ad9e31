# Packs BUILD_DIR with cpack into a Debian package in WORK and checks it the way apt and a
# distribution would see it: the files at their places under /usr and nothing elsewhere,
# only the two programs in bin, no file naming the source or build folder, and the control
# fields (name, VERSION, section, maintainer, the Qt libraries and run-time plugins).
cmake_minimum_required(VERSION 3.25)

function(fail)
  message(FATAL_ERROR ${ARGN})
endfunction()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                  ERROR_VARIABLE output WORKING_DIRECTORY "${WORK}")
  if(NOT result EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    fail("${command} (${result}):\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
run("${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK}")
file(GLOB package "${WORK}/tolvane_${VERSION}_*.deb")
list(LENGTH package count)
if(NOT count EQUAL 1)
  fail("expected one package tolvane_${VERSION}_ARCH.deb in ${WORK}, found: ${package}")
endif()

# The contents list, one path a line ("./usr/bin/tolvane"), folders with a trailing slash.
run("${DPKG_DEB}" --contents "${package}")
string(REGEX REPLACE "[^\n]* \\./" "/" paths "${output}")
string(REGEX REPLACE "\n$" "" paths "${paths}")
string(REPLACE "\n" ";" paths "${paths}")
set(programs "")
foreach(path IN LISTS paths)
  if(NOT path MATCHES "^/(usr/.*)?$" OR path MATCHES "^/usr/local/")
    fail("outside /usr or under /usr/local: ${path}")
  endif()
  if(path MATCHES "^/usr/bin/.")
    list(APPEND programs "${path}")
  endif()
endforeach()
if(NOT programs STREQUAL "/usr/bin/tolvane;/usr/bin/tolvane-cli")
  fail("the programs in /usr/bin are: ${programs}")
endif()

set(share /usr/share)
set(expected
    "${share}/applications/io.github.tolvane.Tolvane.desktop"
    "${share}/metainfo/io.github.tolvane.Tolvane.metainfo.xml"
    "${share}/mime/packages/io.github.tolvane.Tolvane.xml"
    "${share}/man/man1/tolvane.1.gz" "${share}/man/man1/tolvane-cli.1.gz"
    "${share}/bash-completion/completions/tolvane-cli"
    "${share}/doc/tolvane/copyright" "${share}/doc/tolvane/changelog.gz"
    "${share}/icons/hicolor/scalable/apps/tolvane.svg"
    "${share}/icons/hicolor/scalable/mimetypes/application-x-tolvane-library.svg")
foreach(size IN ITEMS 16 32 48 64 128 256)
  list(APPEND expected
       "${share}/icons/hicolor/${size}x${size}/apps/tolvane.png"
       "${share}/icons/hicolor/${size}x${size}/mimetypes/application-x-tolvane-library.png")
endforeach()
foreach(path IN LISTS expected)
  if(NOT path IN_LIST paths)
    fail("not in the package: ${path}")
  endif()
endforeach()

# A path of the machine that built the package would mean unstripped programs or a file
# that looks for its data where the sources were.
run("${DPKG_DEB}" --extract "${package}" "${WORK}/root")
file(GLOB_RECURSE files "${WORK}/root/*")
foreach(file IN LISTS files)
  foreach(folder IN ITEMS "${SOURCE_DIR}" "${BUILD_DIR}")
    string(REGEX REPLACE "[][\\.*+?^$()|{}]" "\\\\\\0" pattern "${folder}")
    file(STRINGS "${file}" found LIMIT_COUNT 1 REGEX "${pattern}")
    if(found)
      string(REPLACE "${WORK}/root" "" path "${file}")
      fail("${path} names ${folder}: ${found}")
    endif()
  endforeach()
endforeach()

function(expect_field name pattern)
  run("${DPKG_DEB}" --field "${package}" "${name}")
  string(STRIP "${output}" value)
  if(NOT value MATCHES "${pattern}")
    fail("${name}: \"${value}\" does not match ${pattern}")
  endif()
endfunction()
expect_field(Package "^tolvane$")
expect_field(Version "^${VERSION}$")
expect_field(Section "^devel$")
expect_field(Maintainer "^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$")
expect_field(Description "^[^\n]+\n .+")
# The Qt libraries the programs link, from dpkg-shlibdeps.
expect_field(Depends "(^|, )libqt6widgets6[ ,(]")
expect_field(Recommends "^qt6-translations-l10n$")
