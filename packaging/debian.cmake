# The Debian package (cpack -G DEB). Its dependencies are those dpkg-shlibdeps
# finds in the programs' shared libraries plus what they load at run time:
# Qt's platform plugins to open a window, and the IPA fonts drawings are
# shown with.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quintaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quintaro")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "re-layer Jw_cad drawings (JWW, JWS, JWC, JWK)")
set(CPACK_PACKAGE_DESCRIPTION
    "Quintaro opens a drawing of the Japanese 2D CAD program Jw_cad in any of
its four formats (JWW, JWS, JWC, JWK), shows its 16 layer groups, and moves
every figure of one layer group or layer onto another, names included; the
result is saved under a new name in the same format. The desktop program
quintaro does this by drag and drop, the command-line tool quintaro-cli in
scripts and batches.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Quintaro project <maintainers@quintaro.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic, fonts-ipafont-mincho")
# The file types, the desktop entry and the icon are registered by these
# packages' triggers; without them the programs still run.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
