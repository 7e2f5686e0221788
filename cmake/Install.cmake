# What `cmake --install` puts on a machine: the three programs, the desktop entry with its icon,
# and the operator's manual. Each belongs to a component: `tool` is what a notification host
# needs, `editor` the workstation's window (cmake/Packaging.cmake makes one package of each).
include(GNUInstallDirs)

foreach(program vorela vorela-sign)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
    endif()
endforeach()

if(TARGET vorela-editor)
    install(TARGETS vorela-editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT editor)
    install(FILES "${PROJECT_SOURCE_DIR}/resources/desktop/vorela-editor.desktop"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT editor)
    # The editor's own application icon when the resources carry one, else the desktop icon.
    if(EXISTS "${PROJECT_SOURCE_DIR}/resources/icons/vorela.png")
        install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/vorela.png"
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps COMPONENT editor)
    else()
        install(FILES "${PROJECT_SOURCE_DIR}/resources/desktop/vorela.svg"
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT editor)
    endif()
endif()

install(DIRECTORY "${PROJECT_SOURCE_DIR}/resources/help/"
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/help COMPONENT editor)
