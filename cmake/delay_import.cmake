# Delay-import libraries for system DLLs (Windows build): a program linked
# with lib<dll>_delay.a loads <dll>.dll at its first call into it instead of
# at start. The library is made at configure time from mingw-w64's import
# library: every function it names, in a module definition for dlltool.
# Linking one also needs delayimp (the loader's helper).
function(sardane_delay_import dll)
  if(NOT CMAKE_DLLTOOL)
    message(FATAL_ERROR "dlltool not found: it comes with mingw-w64's binutils")
  endif()
  find_library(SARDANE_IMPORT_${dll} lib${dll}.a REQUIRED)
  set(import ${SARDANE_IMPORT_${dll}})
  set(dir ${CMAKE_BINARY_DIR}/delay)
  execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${import}
    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "__imp_[A-Za-z0-9_]+" names "${symbols}")
  list(TRANSFORM names REPLACE "^__imp_" "")
  list(REMOVE_DUPLICATES names)
  if(NOT names)
    message(FATAL_ERROR "${import} names no function")
  endif()
  list(JOIN names "\n" exports)
  # Written only when it changes, so that configuring again relinks nothing.
  file(CONFIGURE OUTPUT ${dir}/${dll}.def CONTENT "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  if(NOT EXISTS ${dir}/lib${dll}_delay.a OR ${dir}/${dll}.def IS_NEWER_THAN ${dir}/lib${dll}_delay.a)
    execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${dll}.def --dllname ${dll}.dll
      --output-delaylib ${dir}/lib${dll}_delay.a COMMAND_ERROR_IS_FATAL ANY)
  endif()
  add_library(${dll}_delay STATIC IMPORTED)
  set_target_properties(${dll}_delay PROPERTIES IMPORTED_LOCATION ${dir}/lib${dll}_delay.a)
endfunction()
