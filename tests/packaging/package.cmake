# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package into a folder of its own and checks it as a distribution would:
# lintian finds no error and no warning, and the package holds its copyright, changelog and
# manual pages and depends on the platform plugins that open the window.
# Arguments: CPACK, CONFIG (the build's CPackConfig.cmake), OUT (a folder to build in), LINTIAN,
# DPKG_DEB.

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN}: ${result}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${OUT})
run(${CPACK} -G DEB -B ${OUT} --config ${CONFIG})
file(GLOB packages ${OUT}/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package in ${OUT}, found: ${packages}")
endif()

run(${LINTIAN} --info ${packages})
message("${out}")
string(REGEX MATCHALL "(^|\n)[EW]: [^\n]*" faults "${out}")
if(faults)
  message(FATAL_ERROR "lintian reports errors or warnings:${faults}")
endif()

run(${DPKG_DEB} --contents ${packages})
foreach(file
    ./usr/bin/tallimo ./usr/bin/tallimo-sheet
    ./usr/share/doc/tallimo/copyright ./usr/share/doc/tallimo/changelog.gz
    ./usr/share/man/man1/tallimo.1.gz ./usr/share/man/man1/tallimo-sheet.1.gz)
  if(NOT out MATCHES " ${file}\n")
    message(FATAL_ERROR "the package lacks ${file}:\n${out}")
  endif()
endforeach()

run(${DPKG_DEB} --field ${packages} Depends)
if(NOT out MATCHES "(^|, )qt6-qpa-plugins(,|\n|$)")
  message(FATAL_ERROR "Depends lacks qt6-qpa-plugins: ${out}")
endif()
