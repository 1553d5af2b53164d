# Gives a Windows program the installer's file icon, version information and
# an application manifest that requests the given execution level.
set(QN58_WINDOWS_RESOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})

function(qn58_add_windows_resources target description executionLevel)
    set(QN58_PROGRAM ${target})
    set(QN58_DESCRIPTION "${description}")
    set(QN58_EXECUTION_LEVEL ${executionLevel})
    set(QN58_ICON ${PROJECT_SOURCE_DIR}/resources/image/sandbox_shfXP.ico)
    set(QN58_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
    configure_file(${QN58_WINDOWS_RESOURCE_DIR}/manifest.in ${QN58_MANIFEST} @ONLY)
    configure_file(${QN58_WINDOWS_RESOURCE_DIR}/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc APPEND PROPERTY
                 OBJECT_DEPENDS ${QN58_ICON} ${QN58_MANIFEST})
endfunction()
