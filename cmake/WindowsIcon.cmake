# The program's icon for Windows: quorvane.ico in the build folder, made at build
# time from the rendered PNGs (16, 32, 48 and 256 pixels) with ImageMagick.
#
#   include(WindowsIcon)
#   quorvane_windows_icon(<target>)   embeds it as the program's icon (resource 1)
#
# A target with a resource file of its own can instead depend on quorvane_icon and
# write: 1 ICON "quorvane.ico", with ${CMAKE_BINARY_DIR} on the resource include path.
set(QUORVANE_ICO ${CMAKE_BINARY_DIR}/quorvane.ico)

function(quorvane_make_windows_icon)
  if(TARGET quorvane_icon)
    return()
  endif()
  find_program(QUORVANE_CONVERT convert REQUIRED)
  set(pngs)
  foreach(size 16 32 48 256)
    list(APPEND pngs ${PROJECT_SOURCE_DIR}/ui/icons/quorvane-${size}.png)
  endforeach()
  add_custom_command(OUTPUT ${QUORVANE_ICO}
    COMMAND ${QUORVANE_CONVERT} ${pngs} ${QUORVANE_ICO}
    DEPENDS ${pngs}
    COMMENT "Making quorvane.ico"
    VERBATIM)
  add_custom_target(quorvane_icon DEPENDS ${QUORVANE_ICO})
endfunction()

function(quorvane_windows_icon target)
  quorvane_make_windows_icon()
  set(rc ${CMAKE_BINARY_DIR}/quorvane-icon.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT "1 ICON \"${QUORVANE_ICO}\"\n")
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${QUORVANE_ICO})
  add_dependencies(${target} quorvane_icon)
endfunction()
