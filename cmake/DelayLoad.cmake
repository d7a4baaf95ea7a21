# Delay-import libraries: a DLL linked through one is loaded at its first call, not
# when the program starts. Windows looks for a DLL that is not a KnownDLL in the
# program's own folder first; loaded late, after wWinMain has limited the search
# to the system folder, a copy planted beside Quorvane.exe is never used.
#
#   quorvane_delay_import(<target> <dll>)
#
# makes the imported library <target> with every export of <dll> that mingw-w64's
# own import library names.
function(quorvane_delay_import target dll)
  get_filename_component(stem ${dll} NAME_WE)
  string(TOLOWER ${stem} stem)
  find_library(import_library_${stem} ${stem} REQUIRED)
  execute_process(COMMAND ${CMAKE_NM} ${import_library_${stem}}
                  OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL " I __imp_[A-Za-z0-9_]+" imports "${symbols}")
  list(TRANSFORM imports REPLACE " I __imp_" "")
  list(REMOVE_DUPLICATES imports)
  list(SORT imports)
  list(JOIN imports "\n" exports)
  set(def ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
  file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}\n" @ONLY)

  set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${target}.a)
  add_custom_command(OUTPUT ${library}
    COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll} --output-delaylib ${library}
    DEPENDS ${def}
    COMMENT "Delay-import library for ${dll}"
    VERBATIM)
  add_custom_target(${target}_library DEPENDS ${library})
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${library})
  add_dependencies(${target} ${target}_library)
endfunction()
