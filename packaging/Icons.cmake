# The program's icon in the hicolor theme: the drawing itself, and pictures made from it at
# the sizes desktops ask for.
set(TQ_ICON_SVG ${TQ_RES}/desktop/tarquel-messenger.svg)
set(TQ_ICON_SIZES 16 22 24 32 48 64 128 256)
set(TQ_ICON_PNGS)
foreach(size IN LISTS TQ_ICON_SIZES)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size})
  set(png ${folder}/tarquel-messenger.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${TQ_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${TQ_ICON_SVG}
    DEPENDS ${TQ_ICON_SVG}
    COMMENT "Drawing the ${size} pixel icon"
    VERBATIM)
  list(APPEND TQ_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(tq_icons ALL DEPENDS ${TQ_ICON_PNGS})
install(FILES ${TQ_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
