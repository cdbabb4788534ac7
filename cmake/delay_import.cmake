# Delay-import libraries for system DLLs (Windows build): a program linked
# with lib<dll>_delay.a loads <dll>.dll at its first call into it instead of
# at start. The library is made at configure time from mingw-w64's import
# library: every function it names, in a module definition for dlltool.
# Linking one also needs delayimp (the loader's helper).
find_program(SARDANE_DLLTOOL x86_64-w64-mingw32-dlltool REQUIRED)

function(sardane_delay_import dll)
  find_library(import_${dll} lib${dll}.a REQUIRED)
  set(import ${import_${dll}})
  set(dir ${CMAKE_BINARY_DIR}/delay)
  execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${import}
    OUTPUT_VARIABLE symbols ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "__imp_[A-Za-z0-9_]+" names "${symbols}")
  list(TRANSFORM names REPLACE "^__imp_" "")
  list(REMOVE_DUPLICATES names)
  list(JOIN names "\n" exports)
  file(WRITE ${dir}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  execute_process(COMMAND ${SARDANE_DLLTOOL} --input-def ${dir}/${dll}.def --dllname ${dll}.dll
    --output-delaylib ${dir}/lib${dll}_delay.a COMMAND_ERROR_IS_FATAL ANY)
  add_library(${dll}_delay STATIC IMPORTED)
  set_target_properties(${dll}_delay PROPERTIES IMPORTED_LOCATION ${dir}/lib${dll}_delay.a)
endfunction()
