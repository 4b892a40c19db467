# What `cmake --install` puts into the prefix: the program (the front end and, in libexec, its part
# that links Qt), its launcher entry, the graph file type
# with its icon, the program icon, the software-centre description, the manual page and the data
# folder. The help pages are compiled into the program and need no installed copy.
include(GNUInstallDirs)

# The software centres' name for the program; reverse-DNS as they expect.
set(VEX_APP_ID "de.vexsoftware.vexplot")
# Where the software centres fetch the screenshot of the main window from; the project's web home
# must serve it there.
set(VEX_SCREENSHOT_URL "https://vexsoftware.de/vexplot/hauptfenster.png"
    CACHE STRING "Web address of the screenshot named in the AppStream description")
set(VEX_ICON_SIZES 16 22 24 32 48 64 128 256)

set(resources ${PROJECT_SOURCE_DIR}/resources)
set(generated ${PROJECT_BINARY_DIR}/install-files)

install(TARGETS vexplot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The programs that link Qt (the export of each format, the results sheet and the window), which
# vexplot starts; not commands of their own, so they stay off the search path.
install(TARGETS vexplot-window ${VEX_EXPORT_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/vexplot)

# The licence of the program and of the libraries it links, where Debian keeps a package's.
install(FILES ${resources}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vexplot)

install(FILES ${resources}/vexplot.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${resources}/vexplot-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME vexplot.xml)

configure_file(${resources}/vexplot.metainfo.xml.in ${generated}/${VEX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${VEX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the SVG as drawn, and PNGs rendered from it for launchers that want fixed sizes.
install(FILES ${resources}/icons/vexplot.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${resources}/icons/application-x-vex-graph.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
set(icon_pngs)
foreach(size IN LISTS VEX_ICON_SIZES)
  list(APPEND icon_pngs ${generated}/hicolor/${size}x${size}/apps/vexplot.png
                        ${generated}/hicolor/${size}x${size}/mimetypes/application-x-vex-graph.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_pngs}
  COMMAND vex_render_icon ${resources}/icons/vexplot.svg ${generated}/hicolor apps vexplot ${VEX_ICON_SIZES}
  COMMAND vex_render_icon ${resources}/icons/application-x-vex-graph.svg ${generated}/hicolor mimetypes
          application-x-vex-graph ${VEX_ICON_SIZES}
  DEPENDS vex_render_icon ${resources}/icons/vexplot.svg ${resources}/icons/application-x-vex-graph.svg
  COMMENT "Rendering the icons"
  VERBATIM)

# The manual page, written from the table behind --help and compressed as Debian keeps them.
add_custom_command(
  OUTPUT ${generated}/vexplot.1 ${generated}/vexplot.1.gz
  COMMAND vex_write_manpage ${generated}/vexplot.1
  COMMAND gzip -9nf -k ${generated}/vexplot.1
  DEPENDS vex_write_manpage
  COMMENT "Writing the manual page"
  VERBATIM)
add_custom_target(vex_install_files ALL DEPENDS ${icon_pngs} ${generated}/vexplot.1.gz)

install(DIRECTORY ${generated}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${generated}/vexplot.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The tips of the day, where the program looks for them beside its bin folder.
if(EXISTS ${resources}/tips.txt)
  install(FILES ${resources}/tips.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/vexplot)
endif()
