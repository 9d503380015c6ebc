# SPDX-FileCopyrightText: The Tallimo authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Each layer includes only its own headers and those of the layers below it:
# app -> tools -> windows -> common -> engine. Every include of the project's own headers is
# written from the project root ("engine/scanner.h"). Run with -DSOURCE_DIR=<project source>.
set(layers engine common windows tools app)
set(offenders "")
foreach(layer IN LISTS layers)
  list(FIND layers ${layer} rank)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp"
       "${SOURCE_DIR}/${layer}/*.h.in")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
      if(header MATCHES "\\.moc$")
        continue()
      endif()
      string(REGEX MATCH "^[^/]+" folder "${header}")
      list(FIND layers "${folder}" used)
      if(NOT header MATCHES "/" OR used EQUAL -1)
        string(APPEND offenders "\n  ${source}: \"${header}\" is not written from the project root")
      elseif(used GREATER rank)
        string(APPEND offenders "\n  ${source}: \"${header}\" belongs to a higher layer")
      endif()
    endforeach()
  endforeach()
endforeach()
if(offenders)
  message(FATAL_ERROR "Includes that break the layers:${offenders}")
endif()
