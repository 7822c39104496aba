# Manual pages: every page in doc/man, written in scdoc ("name.1.scd") or in roff ("name.1"),
# becomes a compressed roff page in its section.
set(TQ_MAN_SOURCE_DIR ${PROJECT_SOURCE_DIR}/doc/man)
file(GLOB TQ_MAN_SOURCES CONFIGURE_DEPENDS ${TQ_MAN_SOURCE_DIR}/*.scd ${TQ_MAN_SOURCE_DIR}/*.[1-8])
set(TQ_MAN_PAGES)
foreach(source IN LISTS TQ_MAN_SOURCES)
  get_filename_component(name ${source} NAME)
  string(REGEX REPLACE "\\.scd$" "" page ${name})
  string(REGEX MATCH "[1-8]$" section ${page})
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/man/man${section})
  set(gz ${folder}/${page}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -DSCDOC=${TQ_SCDOC} -DGZIP=${TQ_GZIP} -DINPUT=${source} -DROFF=${folder}/${page}
            -DOUTPUT=${gz} -P ${CMAKE_CURRENT_SOURCE_DIR}/ManPage.cmake
    DEPENDS ${source} ${CMAKE_CURRENT_SOURCE_DIR}/ManPage.cmake ${CMAKE_CURRENT_SOURCE_DIR}/Gzip.cmake
    COMMENT "Making the manual page ${page}"
    VERBATIM)
  list(APPEND TQ_MAN_PAGES ${gz})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
add_custom_target(tq_man_pages ALL DEPENDS ${TQ_MAN_PAGES})
