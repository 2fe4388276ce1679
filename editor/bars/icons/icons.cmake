# The program's icon files, made at build time from the Tango theme by make-icons.sh, and
# ulo_use_bar_icons(target) for programs whose resource script includes BarIcons.rc.
set(ULO_BAR_ICON_NAMES
  APP
  ICON_N_NEW ICON_N_OPEN ICON_N_SAVE ICON_N_PRINT ICON_N_CUT ICON_N_COPY ICON_N_PASTE
  ICON_N_UNDO ICON_N_REDO ICON_N_UP ICON_N_DOWN ICON_N_SEARCH ICON_N_MODE
  ICON_G_CUT ICON_G_COPY ICON_G_PASTE ICON_G_UNDO ICON_G_REDO ICON_G_UP ICON_G_DOWN
  ICON_H_HOTSPOT ICON_H_HOTSPOT2 ICON_TABBAR ICON_TABBAR_NA)
set(ULO_BAR_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons CACHE INTERNAL "Generated icons")
set(ULO_BAR_RC_DIR ${CMAKE_CURRENT_SOURCE_DIR} CACHE INTERNAL "Folder of BarIcons.rc")
set(icon_files)
foreach(name ${ULO_BAR_ICON_NAMES})
  list(APPEND icon_files ${ULO_BAR_ICON_DIR}/${name}.ico)
endforeach()
set(ULO_BAR_ICON_FILES ${icon_files} CACHE INTERNAL "The generated icons")

add_custom_command(
  OUTPUT ${icon_files}
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/icons/make-icons.sh ${ULO_BAR_ICON_DIR}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/icons/make-icons.sh
  COMMENT "Making the icons from the Tango theme"
  VERBATIM)
add_custom_target(ulo_bar_icons DEPENDS ${icon_files})

# For a target with a .rc source that includes BarIcons.rc: the icons are made first, the
# resource compiler finds BarIcons.rc and the .ico files, and the resources follow the icons.
function(ulo_use_bar_icons target)
  add_dependencies(${target} ulo_bar_icons)
  target_include_directories(${target} PRIVATE ${ULO_BAR_ICON_DIR} ${ULO_BAR_RC_DIR})
  get_target_property(sources ${target} SOURCES)
  foreach(source ${sources})
    if(source MATCHES "\\.rc$")
      set_property(SOURCE ${source} TARGET_DIRECTORY ${target}
        APPEND PROPERTY OBJECT_DEPENDS ${ULO_BAR_ICON_FILES} ${ULO_BAR_RC_DIR}/BarIcons.rc)
    endif()
  endforeach()
endfunction()
