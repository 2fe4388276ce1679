# ulo_sjis_rc(OUTVAR RC_SOURCE [DEPENDS...])
# A resource script kept in UTF-8 is converted to Shift_JIS for windres (code page 932); OUTVAR
# names the converted script to add to the program's sources.
function(ulo_sjis_rc outvar source)
  get_filename_component(name ${source} NAME_WE)
  set(converted ${CMAKE_CURRENT_BINARY_DIR}/${name}_sjis.rc)
  add_custom_command(
    OUTPUT ${converted}
    COMMAND python3 ${CMAKE_SOURCE_DIR}/cmake/rc-to-sjis.py ${source} ${converted}
    DEPENDS ${source} ${ARGN} ${CMAKE_SOURCE_DIR}/cmake/rc-to-sjis.py
    COMMENT "Converting ${name}.rc to Shift_JIS"
    VERBATIM)
  set(${outvar} ${converted} PARENT_SCOPE)
endfunction()
