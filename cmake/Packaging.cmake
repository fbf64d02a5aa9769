# Installation layout and the Debian package (cpack -G DEB, or the "package" target): the three
# programs, the desktop entry, the .lmk MIME type, the icon, the AppStream metainfo, manual pages,
# the example sound lists and the Debian copyright and changelog files.
include(GNUInstallDirs)

set(PRESETOR_MAINTAINER "Presetor maintainers <presetor@quintor.de>"
    CACHE STRING "Maintainer named in the Debian package")
set(PRESETOR_APPSTREAM_ID de.quintor.presetor)
set(package_dir ${CMAKE_BINARY_DIR}/package)
# Debian keeps a package's copyright and changelog under its own (lower-case) name.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/presetor)

foreach(program presetor presetor-cli presetor-vkeyboard)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()
# The programs that run presetor-cli's print and MIDI commands are private to it: presetor-cli
# looks for them in ../lib/presetor beside its own folder.
foreach(program presetor-cli-print presetor-cli-midi)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION lib/presetor)
    endif()
endforeach()
# The editor loads its modules from there, its system MIDI ports and its printing at their first
# need (in a folder of its own: a library right in lib/presetor would make the package run
# ldconfig for nothing).
foreach(module presetor_midi_module presetor_print_module)
    if(TARGET ${module})
        install(TARGETS ${module} LIBRARY DESTINATION lib/presetor/modules)
    endif()
endforeach()

# The desktop entry starts the program from the PATH; the same template, with the full path,
# is what --register-desktop writes for a build folder.
set(EXEC presetor)
configure_file(${PROJECT_SOURCE_DIR}/res/presetor.desktop ${package_dir}/presetor.desktop @ONLY)
install(FILES ${package_dir}/presetor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/res/presetor-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME presetor.xml)
install(FILES ${PROJECT_SOURCE_DIR}/res/presetor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${PROJECT_SOURCE_DIR}/res/package/${PRESETOR_APPSTREAM_ID}.metainfo.xml
               ${package_dir}/${PRESETOR_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${package_dir}/${PRESETOR_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
file(GLOB example_sound_lists ${PROJECT_SOURCE_DIR}/res/sounds/*.sounds)
install(FILES ${example_sound_lists} DESTINATION ${CMAKE_INSTALL_DATADIR}/presetor/sounds)
configure_file(${PROJECT_SOURCE_DIR}/res/package/copyright ${package_dir}/copyright @ONLY)
install(FILES ${package_dir}/copyright DESTINATION ${doc_dir})

# Manual pages and the changelog are installed compressed, without a time stamp in the gzip
# header, so the same sources give the same package.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed_files)
macro(presetor_gzip source destination)
    get_filename_component(name ${source} NAME)
    configure_file(${source} ${package_dir}/${name} @ONLY)
    add_custom_command(OUTPUT ${package_dir}/${name}.gz
        COMMAND ${GZIP_PROGRAM} -9nf -k ${package_dir}/${name}
        DEPENDS ${package_dir}/${name}
        COMMENT "Compressing ${name}")
    list(APPEND compressed_files ${package_dir}/${name}.gz)
    install(FILES ${package_dir}/${name}.gz DESTINATION ${destination})
endmacro()
foreach(page presetor presetor-cli presetor-vkeyboard)
    presetor_gzip(${PROJECT_SOURCE_DIR}/res/man/${page}.1 ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
presetor_gzip(${PROJECT_SOURCE_DIR}/res/package/changelog ${doc_dir})
add_custom_target(presetor_package_files ALL DEPENDS ${compressed_files})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME presetor)
set(CPACK_PACKAGE_VENDOR Quintor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "preset editor for the LMK3 and LMK4 master keyboards")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PRESETOR_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' packages (Qt, RtMidi, JACK, the C++ runtime) come from dpkg-shlibdeps. Qt's SVG
# icon engine is a plugin the program loads for icon sizes without a PNG file, so no binary links
# its package's library and it is named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The summary is the description's first line; CPack indents the rest as Debian asks.
set(CPACK_PACKAGE_DESCRIPTION
"Presetor edits the preset bank of the LMK3 and LMK4/LMK4+ MIDI master
keyboards: 64 or 127 presets, each with eight keyboard splits, controller and
switch assignments and global values. It loads the bank from the keyboard and
sends it back over MIDI System Exclusive, keeps banks in .lmk files, picks
sounds by name from sound-list files and prints a one-page summary of a preset.

The package also holds presetor-cli (preset files and transfers from the
command line) and presetor-vkeyboard (a virtual keyboard on a JACK or ALSA MIDI
port, for trying Presetor without hardware).")
include(CPack)
