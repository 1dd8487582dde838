# Installs the build into PREFIX and checks what a user of the installed
# program gets. Arguments: BUILD_DIR, PREFIX, VERSION, WIDGET_TESTS.
cmake_minimum_required(VERSION 3.25)

function(fail)
  message(FATAL_ERROR ${ARGV})
endfunction()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  fail("cmake --install failed: ${status}")
endif()

set(id org.harmoniqua.Harmoniqua)
set(expected
  bin/harmoniqua
  bin/harmoniqua-cli
  share/harmoniqua/Fifths.bmp
  share/harmoniqua/Tmap.bmp
  share/applications/${id}.desktop
  share/metainfo/${id}.metainfo.xml
  share/icons/hicolor/scalable/apps/${id}.svg
  share/icons/hicolor/48x48/apps/${id}.png
  share/icons/hicolor/128x128/apps/${id}.png
  share/icons/hicolor/256x256/apps/${id}.png
  share/man/man1/harmoniqua.1
  share/man/man1/harmoniqua-cli.1
  share/doc/harmoniqua/README.md)
foreach(path ${expected})
  if(NOT EXISTS ${PREFIX}/${path} OR IS_DIRECTORY ${PREFIX}/${path})
    fail("not installed: ${path}")
  endif()
endforeach()

# A PNG keeps its width and height as big-endian numbers at bytes 16 to 23.
foreach(size 48 128 256)
  file(READ ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${id}.png header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 32 16 dimensions)
  math(EXPR want "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(REPLACE "0x" "" want "${want}")
  string(LENGTH "${want}" length)
  math(EXPR pad "8 - ${length}")
  string(REPEAT "0" ${pad} zeros)
  if(NOT dimensions STREQUAL "${zeros}${want}${zeros}${want}")
    fail("the ${size} px icon is not ${size} x ${size}: ${dimensions}")
  endif()
endforeach()

# Everything below runs from a folder that is neither the build nor the prefix.
set(elsewhere ${PREFIX}/../elsewhere)
file(REMOVE_RECURSE ${elsewhere})
file(MAKE_DIRECTORY ${elsewhere}/config ${elsewhere}/runtime)
file(CHMOD ${elsewhere}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

foreach(program harmoniqua harmoniqua-cli)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb
                          ${PREFIX}/bin/${program} --version
                  WORKING_DIRECTORY ${elsewhere} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT out STREQUAL "${program} ${VERSION}\n")
    fail("${program} --version: status ${status}, printed '${out}' '${err}'")
  endif()
endforeach()

execute_process(COMMAND ${PREFIX}/bin/harmoniqua-cli select RD Minor
                WORKING_DIRECTORY ${elsewhere} RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out MATCHES "\"Notation\": \"Dm7\"")
  fail("installed harmoniqua-cli select: status ${status}: ${out}")
endif()

# The pictures, found from the installed bin folder by the program's own lookup.
execute_process(COMMAND ${CMAKE_COMMAND} -E env HQ_INSTALL_PREFIX=${PREFIX} QT_QPA_PLATFORM=offscreen
                        ${WIDGET_TESTS} --gtest_also_run_disabled_tests --gtest_filter=InstalledTree.*
                WORKING_DIRECTORY ${elsewhere} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out MATCHES "\\[  PASSED  \\] 1 test")
  fail("the installed pictures: ${out}")
endif()

# The installed program itself starts there and keeps running until stopped.
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=${elsewhere}/config
                        XDG_RUNTIME_DIR=${elsewhere}/runtime ${PREFIX}/bin/harmoniqua
                WORKING_DIRECTORY ${elsewhere} TIMEOUT 4 RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status MATCHES "timeout")
  fail("the installed harmoniqua ended by itself: ${status}: ${out}")
endif()

# Its usage, and its refusal of a mistyped option, need no display and open no window.
foreach(case "--help;0;usage: harmoniqua .*README" "--bogus;2;unknown option: --bogus")
  list(GET case 0 option)
  list(GET case 1 expected_status)
  list(GET case 2 expected_text)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
                          ${PREFIX}/bin/harmoniqua ${option}
                  TIMEOUT 10 RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status STREQUAL expected_status OR NOT out MATCHES "${expected_text}")
    fail("harmoniqua ${option}: ${status}: ${out}")
  endif()
endforeach()

# What desktops and software centres read.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} --no-hints ${PREFIX}/share/applications/${id}.desktop
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out STREQUAL "")
  fail("desktop-file-validate: ${out}")
endif()
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net ${PREFIX}/share/metainfo/${id}.metainfo.xml
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  fail("appstreamcli validate: ${out}")
endif()
