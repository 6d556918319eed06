# The Debian package (scripts/package): what `cmake --install` puts into /usr, with the
# dependencies found from the shared libraries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Zarvex developers <author@zarvex.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Design CD case inserts and print them at true size")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Zarvex designs the paper inserts of CD cases (normal, transparent, maxi-CD\n"
    "and paper cases) with directory listings, texts and pictures, and prints\n"
    "them at true size with cut and fold lines. Includes the command-line tool\n"
    "zarvex-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no library dependency names them: the window platforms, the
# fonts whose metrics the covers are drawn with, Qt's German texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fontconfig")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
