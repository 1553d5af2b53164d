# What the Windows programs need beside them when Qt is the one that
# tools/windows/qt.sh builds: Qt's DLLs and the plugins the window loads, the
# compiler's runtime DLLs and every licence, all stripped. `cmake --install`
# fills the folder dist/ in the build folder with them; from it, `cpack -G ZIP`
# makes qn58-jlink-setup-<version>-windows-x64.zip (one folder inside), and the
# targets qn58-single-file and qn58-msi the single program and the MSI of the
# same name. Other Qt kits are deployed with windeployqt.
get_filename_component(qtPrefix "${Qt5_DIR}/../../.." ABSOLUTE)
if(NOT EXISTS ${qtPrefix}/licenses/QT-NOTICE.txt)
    return()
endif()

install(FILES $<TARGET_FILE:Qt5::Core> $<TARGET_FILE:Qt5::Gui> $<TARGET_FILE:Qt5::Widgets>
              $<TARGET_FILE:Qt5::Xml>
        DESTINATION .)
# The window forces the Fusion style, which is part of Qt5Widgets.dll; icons are ICO files.
install(FILES $<TARGET_FILE:Qt5::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt5::QICOPlugin> DESTINATION imageformats)
install(DIRECTORY ${qtPrefix}/licenses/ DESTINATION licenses)

# Qt and the programs link the C++ runtime and winpthreads as DLLs; the GCC
# Runtime Library Exception and winpthreads' licence are in Debian's notices.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE "${path}")
        message(FATAL_ERROR "The compiler does not know where ${dll} is")
    endif()
    install(FILES ${path} DESTINATION .)
endforeach()
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright
        DESTINATION licenses RENAME gcc-runtime.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright
        DESTINATION licenses RENAME mingw-w64-winpthreads.txt)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/licenses-README.txt DESTINATION licenses RENAME README.txt)

# Qt's own translations of its standard dialogs in each of the programs'
# languages, from Debian's qttranslations5-l10n, in translations/ beside the
# programs, where they look for them.
foreach(language ${QN58_LANGUAGES})
    install(FILES /usr/share/qt5/translations/qtbase_${language}.qm DESTINATION translations)
endforeach()
install(FILES /usr/share/doc/qttranslations5-l10n/copyright
        DESTINATION licenses RENAME qttranslations.txt)

# Qt's and the runtime's DLLs come unstripped. Without a symbol table a
# program ends where its sections do, as signing and then removing the
# signature leaves it; strip dates the headers with SOURCE_DATE_EPOCH.
install(CODE "set(qn58Strip \"${CMAKE_STRIP}\")")
install(CODE [[
    file(GLOB_RECURSE binaries "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/*.exe"
                               "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/*.dll")
    foreach(binary ${binaries})
        execute_process(COMMAND ${qn58Strip} --strip-all ${binary} COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
]])

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME qn58-jlink-setup)
# The name of the zip, the single program and the MSI.
set(QN58_DOWNLOAD_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_FILE_NAME ${QN58_DOWNLOAD_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The zip holds dist/ as it is, with programs signed there, instead of
# installing afresh.
set(CPACK_INSTALL_CMAKE_PROJECTS "")
set(CPACK_INSTALLED_DIRECTORIES ${PROJECT_BINARY_DIR}/dist .)
include(CPack)

# The single program and the MSI take every file in dist/ as it is when they
# are built; neither script lists a file.
foreach(tool makensis wixl wixl-heat msibuild faketime)
    find_program(QN58_${tool} ${tool})
    if(NOT QN58_${tool})
        message(FATAL_ERROR "${tool} is missing (Debian: nsis, wixl, msitools, faketime)")
    endif()
endforeach()
set(QN58_PRODUCT "QN58 MCU Device AddOn to Segger")
set(QN58_DIST_DIR ${PROJECT_BINARY_DIR}/dist)
set(QN58_ICON ${PROJECT_SOURCE_DIR}/resources/image/sandbox_shfXP.ico)

set(QN58_SINGLE_FILE_NAME ${QN58_DOWNLOAD_NAME}.exe)
set(QN58_SINGLE_FILE ${PROJECT_BINARY_DIR}/${QN58_SINGLE_FILE_NAME})
# The same program with a known name for its folder, which the tests put
# something in the way of; never shipped.
set(QN58_SINGLE_FILE_TEST ${PROJECT_BINARY_DIR}/singlefile-known-folder.exe)
configure_file(${CMAKE_CURRENT_LIST_DIR}/singlefile.nsi.in ${PROJECT_BINARY_DIR}/singlefile.nsi @ONLY)
add_custom_target(qn58-single-file
    COMMAND ${QN58_makensis} -V2 ${PROJECT_BINARY_DIR}/singlefile.nsi
    COMMAND ${QN58_makensis} -V2 -DQN58_TEST_FOLDER_NAME=qn58-jlink-setup-known
            ${PROJECT_BINARY_DIR}/singlefile.nsi
    BYPRODUCTS ${QN58_SINGLE_FILE} ${QN58_SINGLE_FILE_TEST} VERBATIM)
set_target_properties(qn58-single-file PROPERTIES QN58_ARTIFACT ${QN58_SINGLE_FILE}
                                                  QN58_TEST_ARTIFACT ${QN58_SINGLE_FILE_TEST})

# A newer package replaces an older one of the same UpgradeCode: never change it.
set(QN58_UPGRADE_CODE "{5FF2B0B0-5026-4AA2-BB63-8066CA1AB72D}")
set(QN58_SETTINGS_KEY "Software\\Kestrilon\\QN58 J-Link Setup")
set(QN58_MSI ${PROJECT_BINARY_DIR}/${QN58_DOWNLOAD_NAME}.msi)
# wixl takes relative paths only.
file(RELATIVE_PATH QN58_ICON_NAME ${PROJECT_BINARY_DIR} ${QN58_ICON})
configure_file(${CMAKE_CURRENT_LIST_DIR}/msi.wxs.in ${PROJECT_BINARY_DIR}/msi.wxs @ONLY)
add_custom_target(qn58-msi
    COMMAND ${CMAKE_COMMAND} -DMSI=${QN58_MSI} -DUPGRADE_CODE=${QN58_UPGRADE_CODE}
            "-DSUMMARY_SUBJECT=${QN58_PRODUCT} ${PROJECT_VERSION}" -DSUMMARY_AUTHOR=Kestrilon
            -DHEAT=${QN58_wixl-heat} -DWIXL=${QN58_wixl} -DMSIBUILD=${QN58_msibuild}
            -DFAKETIME=${QN58_faketime} -P ${CMAKE_CURRENT_LIST_DIR}/msi.cmake
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    BYPRODUCTS ${QN58_MSI} ${PROJECT_BINARY_DIR}/dist-files.wxs VERBATIM)
set_target_properties(qn58-msi PROPERTIES QN58_ARTIFACT ${QN58_MSI})
