# What the Windows programs need beside them when Qt is the one that
# tools/windows/qt.sh builds: Qt's DLLs and the plugins the window loads, the
# compiler's runtime DLLs and every licence, all stripped. `cmake --install`
# fills a folder with them; `cpack -G ZIP` packs them into one folder inside
# qn58-jlink-setup-<version>-windows-x64.zip. Other Qt kits are deployed
# with windeployqt.
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

# Qt's and the runtime's DLLs come unstripped.
install(CODE "set(qn58Strip \"${CMAKE_STRIP}\")")
install(CODE [[
    file(GLOB_RECURSE binaries "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/*.exe"
                               "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/*.dll")
    foreach(binary ${binaries})
        execute_process(COMMAND ${qn58Strip} --strip-unneeded ${binary} COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
]])

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME qn58-jlink-setup)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
