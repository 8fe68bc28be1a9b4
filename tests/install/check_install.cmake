# Run by tst_install: BUILD_DIR is the build folder, PREFIX a folder to install into.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
set(expected
    bin/zavrex
    bin/zavrex-cli
    share/applications/de.zavrex.Zavrex.desktop
    share/icons/hicolor/48x48/apps/zavrex.png
    share/icons/hicolor/scalable/apps/zavrex.svg)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed: ${installed}\nexpected: ${expected}")
endif()

find_program(validate desktop-file-validate REQUIRED)
execute_process(COMMAND ${validate} ${PREFIX}/share/applications/de.zavrex.Zavrex.desktop
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${rc}\n${out}${err}")
endif()
file(READ ${PREFIX}/share/applications/de.zavrex.Zavrex.desktop desktop)
if(NOT desktop MATCHES "\nExec=zavrex %f\n")
    message(FATAL_ERROR "the launcher does not pass the file: ${desktop}")
endif()

# Answered on standard output, in German, without a window (no display is set).
set(ENV{DISPLAY} "")
execute_process(COMMAND ${PREFIX}/bin/zavrex --version RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^Zavrex [0-9]+\\.[0-9]+\\.[0-9]+\n$")
    message(FATAL_ERROR "zavrex --version: ${rc} '${out}'")
endif()
execute_process(COMMAND ${PREFIX}/bin/zavrex --help RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "Aufruf: zavrex \\[DATEI\\]")
    message(FATAL_ERROR "zavrex --help: ${rc} '${out}'")
endif()
execute_process(COMMAND ${PREFIX}/bin/zavrex --unbekannt RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "unbekannte Option")
    message(FATAL_ERROR "zavrex --unbekannt: ${rc} '${err}'")
endif()
