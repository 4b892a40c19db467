# The Debian package, made by scripts/package with `cpack -G DEB`.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexplot)
set(CPACK_PACKAGE_VENDOR "Vex Software")
set(CPACK_PACKAGE_CONTACT "Vex Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Funktionsgraphen zeichnen und Kurven diskutieren")
# The first line of the Description field is the summary above; this is the text beneath it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Der Vex Funktions-Plotter zeichnet die Graphen von Termen in x, auch als
Funktionenschar, mit Achsen, Beschriftung und Gitter, und diskutiert eine
Funktion numerisch: Wertetabelle, Nullstellen, Extremwerte, Wendestellen und
Monotonie. Ohne Fenster zeichnet vexplot --export einen Graphen als PNG, SVG
oder PDF, und vexplot --discuss gibt eine Kurvendiskussion als Text aus.")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link (vexplot none of Qt, the programs in libexec/vexplot/ the parts
# of Qt each uses) and the computer-algebra module (Giac: libgiac0) are found by dpkg-shlibdeps,
# which reads every program in the package; the window-system plugins Qt loads at run time ship in
# libqt6gui6, which that already names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own buttons and dialogs in German.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# No maintainer scripts: Debian's triggers of shared-mime-info, desktop-file-utils, the icon
# caches and man-db refresh their databases when the package's files land in their folders.
include(CPack)
