# The include rules of the layers, read from the source folders below ROOT:
# - convert/ does not include runtime/platform/ (the conversion uses the
#   run-time, never the operating-system layer);
# - runtime/platform/ includes only its own interfaces and runtime/cp932.h;
# - nothing includes app/.
# Prints one line per include that breaks a rule and fails when there is one.
cmake_minimum_required(VERSION 3.16)  # links are not followed
set(sources "")
foreach(folder app bench convert runtime tests tools)
  file(GLOB_RECURSE found RELATIVE "${ROOT}" "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  list(APPEND sources ${found})
endforeach()
set(broken 0)
foreach(source IN LISTS sources)
  if(source MATCHES "^tests/layering/")
    continue()
  endif()
  file(STRINGS "${ROOT}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*" "\\1" target "${line}")
    set(rule "")
    if(target MATCHES "^app/")
      set(rule "nothing includes app/")
    elseif(source MATCHES "^convert/" AND target MATCHES "^runtime/platform/")
      set(rule "convert/ does not include runtime/platform/")
    elseif(source MATCHES "^runtime/platform/" AND NOT target MATCHES "^runtime/platform/"
           AND NOT target STREQUAL "runtime/cp932.h")
      set(rule "runtime/platform/ includes only its own interfaces and runtime/cp932.h")
    endif()
    if(rule)
      message("${source}: #include \"${target}\": ${rule}")
      math(EXPR broken "${broken} + 1")
    endif()
  endforeach()
endforeach()
if(broken GREATER 0)
  message(FATAL_ERROR "${broken} include(s) against the layering")
endif()
