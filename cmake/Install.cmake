# Installation layout and the Debian package.
#
# The program keeps its own folder once installed, exactly as the build folder holds it:
# lib/palavrix/ has the executable, PALAVRIX.MDB, Genie.ACS and the Palavrix data folder, because
# the program looks for all of them beside its executable. bin/palavrix is a small launcher; the
# desktop entry and the icons go where desktops look for them.
#
#   cmake --install build --prefix /opt/palavrix     a private installation
#   cmake --build build --target package             palavrix_<version>_<arch>.deb in build/

add_subdirectory(${CMAKE_SOURCE_DIR}/packaging ${CMAKE_BINARY_DIR}/packaging)

set(PALAVRIX_INSTALL_DIR lib/palavrix)

# Two parts, packaged apart: the program (built for one architecture) and its data (the same
# everywhere, and nine tenths of the size).
install(TARGETS palavrix palavrix-cli RUNTIME DESTINATION ${PALAVRIX_INSTALL_DIR} COMPONENT programa)
# The command line finds its dictionary beside its real file, so a link in bin/ is enough.
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(CREATE_LINK ../${PALAVRIX_INSTALL_DIR}/palavrix-cli \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/palavrix-cli\" SYMBOLIC)"
  COMPONENT programa)
# The generated data is copied from the build folder, so the installed program reads the very
# files the tests ran against. A missing one fails the installation rather than ship without it.
install(FILES ${PALAVRIX_RUNTIME_DIR}/PALAVRIX.MDB ${PALAVRIX_RUNTIME_DIR}/Genie.ACS
  DESTINATION ${PALAVRIX_INSTALL_DIR} COMPONENT datos)
install(DIRECTORY ${PALAVRIX_RUNTIME_DIR}/Morfologia DESTINATION ${PALAVRIX_INSTALL_DIR} COMPONENT datos)
# PRONUN/.grabaciones only tells the build the recordings are up to date.
install(DIRECTORY ${PALAVRIX_DATA_DIR} DESTINATION ${PALAVRIX_INSTALL_DIR} COMPONENT datos
  PATTERN .grabaciones EXCLUDE)

install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/palavrix.sh DESTINATION bin RENAME palavrix COMPONENT programa)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/palavrix.desktop DESTINATION share/applications COMPONENT programa)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/com.norvento_programs.palavrix.metainfo.xml DESTINATION share/metainfo
        COMPONENT programa)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/palavrix.svg DESTINATION share/icons/hicolor/scalable/apps COMPONENT programa)
install(FILES ${PALAVRIX_ICON_PNG} DESTINATION share/icons/hicolor/128x128/apps COMPONENT programa)
install(FILES ${PALAVRIX_MAN_PAGES} DESTINATION share/man/man1 COMPONENT programa)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/palavrix COMPONENT programa)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/palavrix-data COMPONENT datos)

# The Debian packages: palavrix (the program) and palavrix-data (architecture-independent data,
# which palavrix depends on at the same version). The program's library dependencies are read
# from the executable by dpkg-shlibdeps; the data package is not scanned for executables, which
# with twenty thousand recordings would take minutes. What the program only loads at run time is
# named by hand: the fonts that stand in for Arial and Times New Roman, and the GStreamer plugins
# that play the WAV sounds and recordings.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME palavrix)
set(CPACK_PACKAGE_VENDOR "Norvento Programs")
set(CPACK_PACKAGE_CONTACT "Norvento Programs <soporte@norvento-programs.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Diccionario multilingüe para hispanohablantes")
set(CPACK_PACKAGE_DESCRIPTION "Palavrix traduce palabras entre el español y el inglés, el portugués \
y el francés, en ambos sentidos, con categoría gramatical, género y número, otras acepciones y \
pronunciaciones grabadas. Incluye un traductor de textos palabra por palabra, notas de gramática \
de los cuatro idiomas y un genio que guía al usuario.\n\
Los diccionarios se generan a partir de los de Apertium (GPL-2).")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/packaging/copyright)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL programa datos)
set(CPACK_DEBIAN_PROGRAMA_PACKAGE_NAME palavrix)
set(CPACK_DEBIAN_PROGRAMA_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PROGRAMA_PACKAGE_DEPENDS
  "palavrix-data (= ${PROJECT_VERSION}), fonts-liberation, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
# CPack puts the summary line in front of each description.
set(CPACK_DEBIAN_PROGRAMA_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_DATOS_PACKAGE_NAME palavrix-data)
set(CPACK_DEBIAN_DATOS_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DATOS_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DATOS_DESCRIPTION "Datos de Palavrix: diccionarios, pronunciaciones, aspectos, sonidos y notas. \
La base de datos de los seis diccionarios (generada a partir de los de Apertium, GPL-2), las \
pronunciaciones grabadas, las imágenes de las ventanas, los sonidos, las notas de gramática y el \
genio que guía al usuario.")
# Debian's control file has no licence field: the licence travels in
# /usr/share/doc/palavrix/copyright (GPL-3+ for the program, GPL-2 for the Apertium-derived
# database). Generators that do carry the field get the same statement.
set(CPACK_RPM_PACKAGE_LICENSE "GPL-3.0-or-later AND GPL-2.0-only")

include(CPack)

# The installation test (tests/tools) runs this very cmake on the build folder.
if(TARGET test_tools)
  target_compile_definitions(test_tools PRIVATE PALAVRIX_CMAKE="${CMAKE_COMMAND}")
  add_dependencies(test_tools palavrix_icon)
endif()
