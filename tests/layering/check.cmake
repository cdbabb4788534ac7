# The include rules of the layers, read from the source folders below ROOT:
# - nothing includes app/;
# - runtime/ does not include convert/ (the run-time knows nothing of the
#   conversion it runs);
# - convert/ does not include runtime/platform/ (the conversion uses the
#   run-time, never the operating-system layer);
# - runtime/platform/ includes only its own interfaces and runtime/base/;
# - runtime/base/, the bottom layer, includes only itself.
# A rule holds for everything a source reaches through the headers it
# includes, so the check follows every include that names a file below ROOT
# (from ROOT, or else from the including file's folder). Prints one line per
# include that breaks a rule, with the headers it is reached through, and
# fails when there is one.
cmake_minimum_required(VERSION 3.16)  # links are not followed
set(sources "")
foreach(folder app bench convert runtime tests tools)
  file(GLOB_RECURSE found RELATIVE "${ROOT}" "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  list(APPEND sources ${found})
endforeach()

# The files that `file` includes in double quotes, as paths below ROOT where
# they name a file there; read once per file.
function(includes_of file out)
  get_property(known GLOBAL PROPERTY "includes_${file}" SET)
  if(NOT known)
    set(found "")
    if(EXISTS "${ROOT}/${file}")
      get_filename_component(folder "${file}" DIRECTORY)
      file(STRINGS "${ROOT}/${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
      foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*" "\\1" target "${line}")
        if(NOT EXISTS "${ROOT}/${target}" AND EXISTS "${ROOT}/${folder}/${target}")
          file(RELATIVE_PATH target "${ROOT}" "${ROOT}/${folder}/${target}")
        endif()
        list(APPEND found "${target}")
      endforeach()
    endif()
    set_property(GLOBAL PROPERTY "includes_${file}" "${found}")
  endif()
  get_property(found GLOBAL PROPERTY "includes_${file}")
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# The rule that `source` breaks by reaching `target`, or nothing.
function(broken_rule source target out)
  set(rule "")
  if(target MATCHES "^app/")
    set(rule "nothing includes app/")
  elseif(source MATCHES "^runtime/" AND target MATCHES "^convert/")
    set(rule "runtime/ does not include convert/")
  elseif(source MATCHES "^convert/" AND target MATCHES "^runtime/platform/")
    set(rule "convert/ does not include runtime/platform/")
  elseif(source MATCHES "^runtime/platform/" AND NOT target MATCHES "^runtime/(platform|base)/")
    set(rule "runtime/platform/ includes only its own interfaces and runtime/base/")
  elseif(source MATCHES "^runtime/base/" AND NOT target MATCHES "^runtime/base/")
    set(rule "runtime/base/ includes only itself")
  endif()
  set(${out} "${rule}" PARENT_SCOPE)
endfunction()

set(broken 0)
foreach(source IN LISTS sources)
  if(source MATCHES "^tests/layering/")
    continue()
  endif()
  # Breadth first over what the source reaches; `through_<file>` is the
  # chain of includes from the source to the file. A broken include is
  # reported and not followed further.
  set(queue "${source}")
  set(seen "${source}")
  set("through_${source}" "")
  while(queue)
    list(POP_FRONT queue file)
    includes_of("${file}" targets)
    foreach(target IN LISTS targets)
      if(target IN_LIST seen)
        continue()
      endif()
      list(APPEND seen "${target}")
      if("${through_${file}}" STREQUAL "")
        set("through_${target}" "#include \"${target}\"")
      else()
        set("through_${target}" "${through_${file}} -> \"${target}\"")
      endif()
      broken_rule("${source}" "${target}" rule)
      if(rule)
        message("${source}: ${through_${target}}: ${rule}")
        math(EXPR broken "${broken} + 1")
      else()
        list(APPEND queue "${target}")
      endif()
    endforeach()
  endwhile()
endforeach()
if(broken GREATER 0)
  message(FATAL_ERROR "${broken} include(s) against the layering")
endif()
