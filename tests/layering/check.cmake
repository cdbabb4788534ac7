# The include rules of the layers, read from the sources below ROOT:
# - convert/ does not include runtime/platform/ (the conversion uses the
#   run-time, never the operating-system layer);
# - runtime/platform/ includes only its own interfaces and runtime/cp932.h;
# - nothing includes app/.
# Prints one line per include that breaks a rule and fails when there is one.
file(GLOB_RECURSE sources RELATIVE "${ROOT}" "${ROOT}/*.h" "${ROOT}/*.cpp")
set(broken 0)
foreach(source IN LISTS sources)
  if(source MATCHES "^(build|tests/layering/)")
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
