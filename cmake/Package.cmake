# `make package`: the Debian package of the program (CPack's DEB generator, with the dependencies that
# dpkg-shlibdeps computes from the binaries) and, in the mingw build, the Windows archive of the add-in.
set(CPACK_PACKAGE_NAME inline-patterns)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Inline Patterns developers")
set(CPACK_PACKAGE_CONTACT "Inline Patterns developers <inline-patterns@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "check translations against pattern rules")
set(CPACK_PACKAGE_DESCRIPTION
    "inline-patterns checks the translations of XLIFF 1.2/2.x and PO files against pattern rules (literal text or regular expressions): must the translation hold the source's matches, the same number, the same texts, in the same order; must it hold none; must it hold one. It loads the Inline Patterns add-in module, ZAKRegExChecks.zak, as a localisation host does, and reports every broken rule as compiler-style text, JSON, JUnit XML or SARIF for CI systems.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
