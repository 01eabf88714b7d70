# What `cmake --install` puts on the system: the program, the virtual board
# tool, the command line orvanta-cli with its manual page and bash completion,
# the desktop entry, the icon in the hicolor theme and the AppStream
# metadata. The guide and the program's own icons are compiled into the program
# as Qt resources, so nothing else is needed at run time.
#
# Every install rule belongs to the component "orvanta" (the project's default
# component), so `cmake --install --component orvanta` installs exactly what
# `make install` and the Debian package do.

# The AppStream component id, which also names the metadata file, and the web
# address software centres fetch the screenshot from. AppStream wants a reverse
# domain name and a web address; change both here when the project has a home.
set(ORVANTA_APP_ID "org.example.orvanta")
set(ORVANTA_SCREENSHOT_URL "https://orvanta.example.org/screenshots/main-window.png")

set(ORVANTA_ICON_SIZES 16 24 32 48 64 128 256)

install(TARGETS orvanta orvanta-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/orvanta-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/orvanta-cli.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME orvanta-cli)
if(TARGET orvanta-virtual-board)
  install(TARGETS orvanta-virtual-board RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/orvanta.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${PROJECT_SOURCE_DIR}/resources/linux/orvanta.metainfo.xml.in
  ${PROJECT_BINARY_DIR}/resources/linux/${ORVANTA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/resources/linux/${ORVANTA_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The PNGs are rendered from the SVG by tools/render-icons.sh and kept in the
# repository, so building needs no SVG renderer.
foreach(size IN LISTS ORVANTA_ICON_SIZES)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/hicolor/${size}x${size}/apps/orvanta.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/src/orvanta.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The licence: the whole text beside the program's documentation, and the
# Debian copyright file where Debian's tools look for it.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvanta)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvanta)
