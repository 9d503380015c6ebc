# The engine is the lowest layer: none of its sources may include a header of common/, windows/,
# tools/ or app/. Run with -DENGINE_DIR=<source>/engine.
file(GLOB_RECURSE sources "${ENGINE_DIR}/*.h" "${ENGINE_DIR}/*.cpp")
set(offenders "")
foreach(source IN LISTS sources)
  file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"(common|windows|tools|app)/")
  foreach(line IN LISTS includes)
    string(APPEND offenders "\n  ${source}: ${line}")
  endforeach()
endforeach()
if(offenders)
  message(FATAL_ERROR "engine/ includes headers of higher layers:${offenders}")
endif()
