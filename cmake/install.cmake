# Installs Zarvex as a desktop program. An installed program directory cannot be written, so
# the program keeps each user's settings, template, textures and pictures below
# $XDG_DATA_HOME/zarvex and reads the defaults and help pages from share/zarvex.
include(GNUInstallDirs)

set(ZARVEX_APP_ID org.example.zarvex)
set(ZARVEX_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/data/desktop)
set(ZARVEX_ICON_SIZES 16 24 32 48 64 128 256)

# PNG icons are rendered from the SVG in the build, so the two never disagree.
add_executable(render_svg ${CMAKE_SOURCE_DIR}/tools/render_svg.cpp)
target_link_libraries(render_svg PRIVATE Qt6::Svg Qt6::Gui)
set(ZARVEX_ICON_PNGS)
foreach(size IN LISTS ZARVEX_ICON_SIZES)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/zarvex.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:render_svg>
            ${CMAKE_SOURCE_DIR}/data/images/zarvex.svg ${png} ${size} ${size}
    DEPENDS render_svg ${CMAKE_SOURCE_DIR}/data/images/zarvex.svg
    COMMENT "Rendering the ${size} px icon" VERBATIM)
  list(APPEND ZARVEX_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(icons ALL DEPENDS ${ZARVEX_ICON_PNGS})

configure_file(${ZARVEX_DESKTOP_DIR}/${ZARVEX_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${ZARVEX_APP_ID}.metainfo.xml @ONLY)

install(TARGETS zarvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET zarvex-cli)
  install(TARGETS zarvex-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The defaults come from the sources, not from the staged tree, which holds a developer's
# language choice and pictures. The help pictures are made in the build.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/progdir/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zarvex
        PATTERN ".keep" EXCLUDE)
install(DIRECTORY ${ZARVEX_STAGE_DIR}/hilfe/bilder
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zarvex/hilfe OPTIONAL)
install(FILES ${ZARVEX_DESKTOP_DIR}/${ZARVEX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/${ZARVEX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ZARVEX_DESKTOP_DIR}/zarvex-cover.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${ZARVEX_APP_ID}.xml)
install(FILES ${CMAKE_SOURCE_DIR}/data/images/zarvex.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The help pages' pictures: the program photographs its own windows in both languages
# (tools/helpshots.cpp lists them). Re-made whenever the program changes.
add_executable(helpshots ${CMAKE_SOURCE_DIR}/tools/helpshots.cpp)
target_link_libraries(helpshots PRIVATE zarvexcore)
set(ZARVEX_HELPSHOTS_STAMP ${CMAKE_BINARY_DIR}/helpshots.stamp)
add_custom_command(OUTPUT ${ZARVEX_HELPSHOTS_STAMP}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
          $<TARGET_FILE:helpshots> ${CMAKE_SOURCE_DIR}/data/progdir ${ZARVEX_STAGE_DIR}/hilfe/bilder
  COMMAND ${CMAKE_COMMAND} -E touch ${ZARVEX_HELPSHOTS_STAMP}
  DEPENDS helpshots
  COMMENT "Photographing the windows for the help pages" VERBATIM)
add_custom_target(helppictures ALL DEPENDS ${ZARVEX_HELPSHOTS_STAMP})
add_dependencies(helppictures stage)

# The licence, the history and the manual pages, where Debian keeps them: a machine-readable
# copyright file, and the changelog and manual pages compressed without a time stamp.
set(ZARVEX_PACKAGE_DIR ${CMAKE_SOURCE_DIR}/data/package)
configure_file(${ZARVEX_PACKAGE_DIR}/changelog.in ${CMAKE_BINARY_DIR}/doc/changelog @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ZARVEX_PACKAGE_DIR}/zarvex.1
                                                              ${ZARVEX_PACKAGE_DIR}/zarvex-cli.1)
foreach(file ${CMAKE_BINARY_DIR}/doc/changelog ${ZARVEX_PACKAGE_DIR}/zarvex.1
             ${ZARVEX_PACKAGE_DIR}/zarvex-cli.1)
  get_filename_component(name ${file} NAME)
  execute_process(COMMAND gzip -9n -c ${file} OUTPUT_FILE ${CMAKE_BINARY_DIR}/doc/${name}.gz
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/doc/zarvex.1.gz ${CMAKE_BINARY_DIR}/doc/zarvex-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ZARVEX_PACKAGE_DIR}/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zarvex)
