# Two Debian packages from the components of cmake/Install.cmake (`./scripts/package`):
# `vorela`, the tool a notification host needs, with the timer that pulls the published library,
# and `vorela-editor`, the workstation's window with its desktop entry, icon and manual.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL tool)
if(TARGET vorela-editor)
    list(APPEND CPACK_COMPONENTS_ALL editor)
endif()

set(CPACK_PACKAGE_NAME vorela)
set(CPACK_PACKAGE_VENDOR "vorela developers")
set(CPACK_PACKAGE_CONTACT "vorela developers <vorela@localhost>")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_TOOL_PACKAGE_NAME vorela)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION utils)
# Published versions are signed with SSH keys; ssh-keygen checks the signatures.
set(CPACK_DEBIAN_TOOL_PACKAGE_DEPENDS openssh-client)
set(CPACK_DEBIAN_TOOL_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/resources/systemd/conffiles")
set(CPACK_COMPONENT_TOOL_DESCRIPTION
    "Command-line tool of the vorela lexeme library
The recorded phrases, templates and sound banks of a telephone notification
system from the command line: set-up and checks of a data directory, sounds,
versions of the library, and the pull of the version a workstation published
(vorela-pull.timer, off until enabled). Also vorela-sign, which certifies
greeting phrases.")

set(CPACK_DEBIAN_EDITOR_PACKAGE_NAME vorela-editor)
set(CPACK_DEBIAN_EDITOR_PACKAGE_SECTION sound)
set(CPACK_COMPONENT_EDITOR_DEPENDS tool)
set(CPACK_COMPONENT_EDITOR_DESCRIPTION
    "Lexeme editor of a telephone notification system
The window in which operators keep the library of recorded phrases: record
and trim each phrase, compose the templates of each task, bind amounts and
dates to the task table and listen to a template as a subscriber hears it.
Includes the operator's manual (Russian).")

# The pull timer ships only in the package: a plain `cmake --install` leaves /lib and /etc alone.
install(FILES "${PROJECT_SOURCE_DIR}/resources/systemd/vorela-pull.service"
              "${PROJECT_SOURCE_DIR}/resources/systemd/vorela-pull.timer"
        DESTINATION /lib/systemd/system COMPONENT tool EXCLUDE_FROM_ALL)
install(FILES "${PROJECT_SOURCE_DIR}/resources/systemd/vorela-pull.default"
        DESTINATION /etc/default RENAME vorela-pull COMPONENT tool EXCLUDE_FROM_ALL)

include(CPack)
