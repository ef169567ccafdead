# Installation beside the program (menu entry and icon) and the Debian
# package. Included once from the top-level CMakeLists.txt.
#   cmake --preset package && cmake --build build/package -j2
#   cd build/package && cpack -G DEB        # hkberech_<version>_amd64.deb
if(NOT HK_BUILD_GUI)
  return()
endif()

include(GNUInstallDirs)
set(HK_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

install(FILES ${HK_PACKAGING_DIR}/hkberech.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${HK_PACKAGING_DIR}/icons/hkberech.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${HK_PACKAGING_DIR}/icons/hkberech-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME hkberech.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hkberech)
set(CPACK_PACKAGE_VENDOR "hkberech")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Heizflächenberechnung für Temperaturen abweichend von der Norm")
set(CPACK_PACKAGE_DESCRIPTION
    "HKberech rechnet die Normleistung von Heizkörpern (DIN 90/70/20 oder DIN EN 442 "
    "75/65/20) auf die Vorlauf-, Rücklauf- und Raumtemperaturen einer Anlage um. Ein "
    "Projekt fasst bis zu 70 Heizkörper, wird als Liste angezeigt, als Textdatei "
    "gespeichert und geladen und mit den Projektdaten gedruckt.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "hkberech <hkberech@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt and C++ libraries the program links come from dpkg-shlibdeps; what
# Qt loads at run time is named here: the platform plugins (X11, offscreen)
# and the metric twins of the faces the screens and the report ask for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
# German texts of the standard dialogs and buttons ("Abbrechen", "Speichern").
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
