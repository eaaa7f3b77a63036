# The install layout and the Debian package.
#
# The layout follows the file system hierarchy: programs in bin/, the shipped definition files
# and samples in share/typeloom/, the language library in lib/typeloom/<language id>/, manual
# pages, the desktop entry, its icon and the bash completion where the desktop looks for them.
# The programs find their data relative to themselves (see platform/InstallLayout.h), so any
# prefix works and an installation may be moved. The package is built by tools/package.sh,
# from a folder of its own without tests or benchmarks.

set(TL_SHARE_DIR share/typeloom)
set(TL_LANGUAGE_DIR lib/typeloom)
set(TL_DOC_DIR share/doc/typeloom)

install(TARGETS vela_typeloomc RUNTIME DESTINATION bin)
if(TARGET vela_typeloom)
  install(TARGETS vela_typeloom RUNTIME DESTINATION bin)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/vela_typeloom.desktop DESTINATION share/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/vela_typeloom.svg
          DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/vela_typeloom.png
          DESTINATION share/icons/hicolor/48x48/apps)
endif()
install(TARGETS typeloom_langRes_ja LIBRARY DESTINATION ${TL_LANGUAGE_DIR}/1041)
# The library needs nothing of the C library, but a shared object should still name it, so that
# the system's tools see what it was linked against.
target_link_options(typeloom_langRes_ja PRIVATE LINKER:--no-as-needed)
target_link_libraries(typeloom_langRes_ja PRIVATE c)
foreach(kind xlor xggp xllt)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/${kind} DESTINATION ${TL_SHARE_DIR}
          FILES_MATCHING PATTERN "*.${kind}")
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/data/sample/sample.bmp DESTINATION ${TL_SHARE_DIR}/sample)
install(FILES ${CMAKE_SOURCE_DIR}/dist/vela_typeloomc.bash
        DESTINATION share/bash-completion/completions RENAME vela_typeloomc)
install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright DESTINATION ${TL_DOC_DIR})

# Manual pages and the changelog are installed compressed, without a time stamp in the
# compressed file, so that two builds of one source give the same package.
find_program(TL_GZIP gzip REQUIRED)
set(TL_COMPRESSED)
foreach(source man/vela_typeloomc.1 man/vela_typeloom.1 dist/changelog)
  get_filename_component(name ${source} NAME)
  set(compressed ${CMAKE_BINARY_DIR}/dist/${name}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
    COMMAND sh -c "\"$0\" -9nc \"$1\" > \"$2\"" ${TL_GZIP} ${CMAKE_SOURCE_DIR}/${source}
            ${compressed}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND TL_COMPRESSED ${compressed})
endforeach()
add_custom_target(tl_compressed_docs ALL DEPENDS ${TL_COMPRESSED})
install(FILES ${CMAKE_BINARY_DIR}/dist/vela_typeloomc.1.gz DESTINATION share/man/man1)
if(TARGET vela_typeloom)
  install(FILES ${CMAKE_BINARY_DIR}/dist/vela_typeloom.1.gz DESTINATION share/man/man1)
endif()
install(FILES ${CMAKE_BINARY_DIR}/dist/changelog.gz DESTINATION ${TL_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME typeloom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "VELA")
set(CPACK_PACKAGE_CONTACT "typeloom developers <typeloom@example.com>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "font converter for a game console's bitmap fonts")
set(CPACK_PACKAGE_DESCRIPTION
    "typeloom turns an installed font, a TrueType, OpenType or collection file,
an image font (a BMP or TGA picture whose glyphs are drawn in a grid of
cells) or an existing binary font resource into the big-endian binary font
resource that the console's runtime loads, plain or archived with
compressed, grouped texture sheets, or into an image font that an artist
can edit and convert back.
.
This package holds the console program vela_typeloomc, the desktop program
vela_typeloom, the letter orders for ASCII, code page 1252 and code page
932, a sample glyph groups file, character filter and image font, and the
Japanese language library.")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
