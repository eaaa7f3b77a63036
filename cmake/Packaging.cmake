# The install layout and the two Debian packages.
#
# The layout follows the file system hierarchy: programs in bin/, the shipped definition files
# and samples in share/typeloom/, the language library in lib/typeloom/<language id>/, manual
# pages, the desktop entry, its icon and the bash completion where the desktop looks for them,
# and the CMake package in lib/cmake/typeloom/. The programs find their data relative to
# themselves (see platform/InstallLayout.h), so any prefix works and an installation may be
# moved.
#
# Everything is in one of two install components, one package each: "console" (package
# typeloom: what a build machine without a display needs) and "desktop" (package
# typeloom-desktop: the Qt program and what belongs to it). The packages are built by
# tools/package.sh, from a folder of its own without tests or benchmarks.

# A stripped install (cmake --install --strip, and the packages) also drops the compiler's
# version notes from the binaries, as Debian's own packages are stripped.
function(tl_strip_comment component)
  foreach(file IN LISTS ARGN)
    install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${file}\"
                  COMMAND_ERROR_IS_FATAL ANY)
endif()" COMPONENT ${component})
  endforeach()
endfunction()
# The lintian tags a package keeps, each with its reason, in dist/lintian/<package>.
function(tl_install_lintian_overrides component package)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/lintian/${package} DESTINATION share/lintian/overrides
          COMPONENT ${component})
endfunction()

set(TL_SHARE_DIR share/typeloom)
set(TL_LANGUAGE_DIR lib/typeloom)
set(TL_CMAKE_DIR lib/cmake/typeloom)

# --- console: the console program, the language library, the shipped data, the CMake package ---
install(TARGETS vela_typeloomc EXPORT typeloomTargets RUNTIME DESTINATION bin COMPONENT console)
install(TARGETS typeloom_langRes_ja LIBRARY DESTINATION ${TL_LANGUAGE_DIR}/1041
        COMPONENT console)
# The library needs nothing of the C library, but a shared object should still name it, so that
# the system's tools see what it was linked against.
target_link_options(typeloom_langRes_ja PRIVATE LINKER:--no-as-needed)
target_link_libraries(typeloom_langRes_ja PRIVATE c)
# Its one function keeps no buffer on the stack, so the usual canaries would leave it without
# one; it gets one anyway (a few instructions a message), so that the library is protected as
# the programs are and checkers such as hardening-check can see it.
if(NOT TYPELOOM_SANITIZE)
  target_compile_options(typeloom_langRes_ja PRIVATE -fstack-protector-all)
endif()
foreach(kind xlor xggp xllt)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/${kind} DESTINATION ${TL_SHARE_DIR}
          COMPONENT console FILES_MATCHING PATTERN "*.${kind}")
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/data/sample/sample.bmp DESTINATION ${TL_SHARE_DIR}/sample
        COMPONENT console)
install(FILES ${CMAKE_SOURCE_DIR}/dist/vela_typeloomc.bash
        DESTINATION share/bash-completion/completions RENAME vela_typeloomc COMPONENT console)
tl_install_lintian_overrides(console typeloom)
tl_strip_comment(console bin/vela_typeloomc ${TL_LANGUAGE_DIR}/1041/typeloom_langRes.so)

# A project converts its fonts while it builds with find_package(typeloom) and
# typeloom_add_font() (examples/cmake/). The program's imported target is relative to the
# package file, so a moved installation still works.
include(CMakePackageConfigHelpers)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/typeloomConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/cmake/typeloomConfig.cmake
                              INSTALL_DESTINATION ${TL_CMAKE_DIR} PATH_VARS TL_SHARE_DIR)
# The converter runs on the build machine whatever a project builds for: no word size check.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/cmake/typeloomConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(EXPORT typeloomTargets NAMESPACE typeloom:: DESTINATION ${TL_CMAKE_DIR}
        COMPONENT console)
install(FILES ${CMAKE_BINARY_DIR}/cmake/typeloomConfig.cmake
        ${CMAKE_BINARY_DIR}/cmake/typeloomConfigVersion.cmake
        ${CMAKE_SOURCE_DIR}/cmake/typeloomAddFont.cmake
        DESTINATION ${TL_CMAKE_DIR} COMPONENT console)

# --- desktop: the desktop program with its entry and icon ---
if(TARGET vela_typeloom)
  install(TARGETS vela_typeloom RUNTIME DESTINATION bin COMPONENT desktop)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/vela_typeloom.desktop DESTINATION share/applications
          COMPONENT desktop)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/vela_typeloom.svg
          DESTINATION share/icons/hicolor/scalable/apps COMPONENT desktop)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/vela_typeloom.png
          DESTINATION share/icons/hicolor/48x48/apps COMPONENT desktop)
  tl_install_lintian_overrides(desktop typeloom-desktop)
  tl_strip_comment(desktop bin/vela_typeloom)
  set(TL_COMPONENTS console desktop)
else()
  set(TL_COMPONENTS console)
endif()

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
install(FILES ${CMAKE_BINARY_DIR}/dist/vela_typeloomc.1.gz DESTINATION share/man/man1
        COMPONENT console)
# Every package carries the copyright and changelog in its own documentation folder.
set(TL_PACKAGE_console typeloom)
set(TL_PACKAGE_desktop typeloom-desktop)
foreach(component IN LISTS TL_COMPONENTS)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright ${CMAKE_BINARY_DIR}/dist/changelog.gz
          DESTINATION share/doc/${TL_PACKAGE_${component}} COMPONENT ${component})
endforeach()
if(TARGET vela_typeloom)
  install(FILES ${CMAKE_BINARY_DIR}/dist/vela_typeloom.1.gz DESTINATION share/man/man1
          COMPONENT desktop)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME typeloom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "VELA")
set(CPACK_PACKAGE_CONTACT "typeloom developers <typeloom@example.com>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${TL_COMPONENTS})
set(TL_DESCRIPTION_COMMON
    "typeloom turns an installed font, a TrueType, OpenType or collection file,
an image font (a PNG, BMP or TGA picture whose glyphs are drawn in a grid
of cells) or an existing binary font resource into the big-endian binary font
resource that the console's runtime loads, plain or archived with
compressed, grouped texture sheets, or into an image font that an artist
can edit and convert back.
.")
set(CPACK_DEBIAN_CONSOLE_PACKAGE_NAME typeloom)
set(CPACK_DEBIAN_CONSOLE_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_CONSOLE_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_CONSOLE_DESCRIPTION
    "font converter for a game console's bitmap fonts
${TL_DESCRIPTION_COMMON}
This package holds the console program vela_typeloomc, which needs no
display, the letter orders for ASCII, code page 1252 and code page 932, a
sample glyph groups file, character filter and image font, the Japanese
language library, and a CMake package whose typeloom_add_font() converts
fonts while a project builds.")
set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME typeloom-desktop)
set(CPACK_DEBIAN_DESKTOP_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_DESKTOP_PACKAGE_SECTION graphics)
# The desktop program reads its definition files and language library from the console package.
set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS "typeloom (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DESKTOP_DESCRIPTION
    "font converter for a game console's bitmap fonts (desktop program)
${TL_DESCRIPTION_COMMON}
This package holds the desktop program vela_typeloom (Qt 6), which offers
the conversions in one window with a preview, with its desktop entry and
icon.")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
