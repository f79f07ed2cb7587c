# `make package`: on Linux the Debian package of the program (CPack's DEB generator: it computes Depends
# with dpkg-shlibdeps and needs no debian/ folder to keep in step with CMake's install rules); in the mingw
# build the Windows archive of the add-in. Both are named after the one version of project().
string(TIMESTAMP IP_RELEASE_DATE "%Y-%m-%d" UTC)
file(READ ${PROJECT_SOURCE_DIR}/CHANGELOG.md changelog)
if(changelog MATCHES "## \\[${PROJECT_VERSION}\\] - ([0-9-]+)")
  set(IP_RELEASE_DATE ${CMAKE_MATCH_1})
endif()

if(WIN32)
  # The archive: the DLL, the bundled rule set as the module writes a rule file (UTF-16 LE with its byte
  # order mark, CR LF), the licence and a README. Every entry carries the release date, in a fixed order,
  # so the same commit gives the same bytes.
  set(stage ${CMAKE_BINARY_DIR}/archive)
  set(archive ${CMAKE_BINARY_DIR}/inline-patterns-${PROJECT_VERSION}-windows-x64.zip)
  set(VERSION ${PROJECT_VERSION})
  configure_file(${PROJECT_SOURCE_DIR}/docs/windows-README.txt ${stage}/README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt COPYONLY)
  add_custom_command(OUTPUT ${archive}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:ZAKRegExChecks> ${stage}/ZAKRegExChecks.zak
    COMMAND ${CMAKE_STRIP} --strip-all ${stage}/ZAKRegExChecks.zak
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/rules-utf16.py
            ${PROJECT_SOURCE_DIR}/examples/global/settings.ini ${stage}/settings.ini
    COMMAND ${CMAKE_COMMAND} -E rm -f ${archive}
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${CMAKE_COMMAND} -E tar cf ${archive} --format=zip
            "--mtime=${IP_RELEASE_DATE} 00:00:00 UTC" LICENSE.txt README.txt ZAKRegExChecks.zak settings.ini
    WORKING_DIRECTORY ${stage}
    DEPENDS ZAKRegExChecks ${PROJECT_SOURCE_DIR}/examples/global/settings.ini ${stage}/README.txt
    COMMENT "Packing ${archive}")
  add_custom_target(windows_archive ALL DEPENDS ${archive})
  return()
endif()

if(NOT IP_BUILD_HOST)
  return()
endif()

# Debian wants a changelog in its own form beside the copyright; ours points at CHANGELOG.md.
set(contact "Inline Patterns developers <inline-patterns@users.noreply.github.com>")
execute_process(COMMAND date -u -R -d ${IP_RELEASE_DATE} OUTPUT_VARIABLE stamp OUTPUT_STRIP_TRAILING_WHITESPACE)
file(WRITE ${CMAKE_BINARY_DIR}/changelog
     "inline-patterns (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
     "  * What this version brings: /usr/share/doc/inline-patterns/CHANGELOG.md.\n\n -- ${contact}  ${stamp}\n")
execute_process(COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/changelog OUTPUT_FILE ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${IP_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${IP_INSTALL_DOCDIR} RENAME copyright)

set(CPACK_PACKAGE_NAME inline-patterns)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Inline Patterns developers")
set(CPACK_PACKAGE_CONTACT ${contact})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "check translations against pattern rules")
set(CPACK_PACKAGE_DESCRIPTION "inline-patterns checks the translations of XLIFF 1.2/2.x and PO files against
pattern rules (literal text or regular expressions): must the translation
hold the source's matches, the same number, the same texts, in the same
order; must it hold none; must it hold one. It loads the Inline Patterns
add-in module, ZAKRegExChecks.zak, as a localisation host does, and reports
every broken rule as compiler-style text, JSON, JUnit XML or SARIF.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
