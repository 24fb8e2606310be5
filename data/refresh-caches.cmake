# Run by `cmake --install`. Installed straight into a prefix (make install) no
# package trigger refreshes the desktop's caches; a staged install (DESTDIR,
# the package) leaves that to the system it lands on.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
set(_share "${CMAKE_INSTALL_PREFIX}/${KVIS_DATADIR}")
find_program(_mime update-mime-database)
find_program(_desktop update-desktop-database)
find_program(_icons gtk-update-icon-cache)
if(_mime)
  execute_process(COMMAND ${_mime} ${_share}/mime)
endif()
if(_desktop)
  execute_process(COMMAND ${_desktop} -q ${_share}/applications)
endif()
# Without the theme's index a cache would not be read anyway.
if(_icons AND EXISTS ${_share}/icons/hicolor/index.theme)
  execute_process(COMMAND ${_icons} -q -t -f ${_share}/icons/hicolor)
endif()
