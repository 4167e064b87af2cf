# The Windows release files, from the mingw build: `cpack` in build/mingw makes
# orvexcolors-<version>-windows-x64.zip (the .exe, a read-me and the licence) and
# orvexcolors-<version>-windows-x64-setup.exe, an NSIS installer with a Start-menu
# entry and an uninstaller.
set(ORVEX_VERSION ${PROJECT_VERSION})
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
               ${CMAKE_BINARY_DIR}/packaging/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/packaging/LICENSE.txt
               NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/packaging/README.txt ${CMAKE_BINARY_DIR}/packaging/LICENSE.txt
        DESTINATION .)

set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_PACKAGE_NAME orvexcolors)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The orvexcolors developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chat colour editor for the Orvex game client")
set(CPACK_PACKAGE_FILE_NAME orvexcolors-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Orvex Colours")
set(CPACK_PACKAGE_EXECUTABLES "orvexcolors;Orvex chat colours")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/packaging/LICENSE.txt)
set(CPACK_STRIP_FILES OFF)  # already stripped, and the host's strip cannot read a PE file
set(CPACK_NSIS_MUI_ICON ${ORVEX_ICON_FILE})
set(CPACK_NSIS_MUI_UNIICON ${ORVEX_ICON_FILE})
set(CPACK_NSIS_INSTALLED_ICON_NAME orvexcolors.exe)
set(CPACK_NSIS_DISPLAY_NAME "Orvex chat colours")
set(CPACK_NSIS_PACKAGE_NAME "Orvex chat colours")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# The installer keeps its folder in Software\<vendor>\<key>; the uninstaller removes
# that key but not the vendor's above it. These commands run before its own removal,
# so they take the program's key first, then the vendor's if nothing else is in it.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "${CPACK_PACKAGE_NAME} ${CPACK_PACKAGE_VERSION}")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "DeleteRegKey SHCTX 'Software\\${CPACK_PACKAGE_VENDOR}\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}'"
    "DeleteRegKey /ifempty SHCTX 'Software\\${CPACK_PACKAGE_VENDOR}'")
list(JOIN CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "\n  " CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS)
set(CPACK_VERBATIM_VARIABLES ON)  # the backslashes reach the script as written here
# A 64-bit installer for a 64-bit program (and one that Wine without its 32-bit
# half can run).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/packaging_windows_names.cmake)
include(CPack)
