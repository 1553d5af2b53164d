# The payload files that the installer deploys, and the check of a folder
# with the vendor's versions of them.

# The installer's own list, so that the bundle holds exactly what it deploys.
get_filename_component(QN58_DEPLOYMENT_LIST ${CMAKE_CURRENT_LIST_DIR}/../job/deploymentlist.cpp
                       ABSOLUTE)

# Sets outVar to the names of the deployment list, in order.
function(qn58_deployment_names outVar)
    file(STRINGS ${QN58_DEPLOYMENT_LIST} names REGEX "^ *\"[^\"]+\",?$")
    list(TRANSFORM names REPLACE "^ *\"([^\"]+)\",?$" "\\1")
    set(${outVar} ${names} PARENT_SCOPE)
endfunction()

# Stops the configuration unless "folder" holds exactly the files "names",
# and says which are missing and which do not belong there.
function(qn58_check_loader_folder folder)
    if(NOT IS_DIRECTORY "${folder}")
        message(FATAL_ERROR "QN58_LOADER_DIR \"${folder}\" is not a folder.")
    endif()
    file(GLOB present LIST_DIRECTORIES true RELATIVE "${folder}" "${folder}/*")
    set(missing ${ARGN})
    set(extra ${present})
    if(present)
        list(REMOVE_ITEM missing ${present})
    endif()
    list(REMOVE_ITEM extra ${ARGN})
    if(NOT missing AND NOT extra)
        return()
    endif()
    set(problems)
    if(missing)
        list(LENGTH missing count)
        list(JOIN missing "\n  " text)
        string(APPEND problems "\nIt lacks ${count} payload file(s):\n  ${text}")
    endif()
    if(extra)
        list(LENGTH extra count)
        list(JOIN extra "\n  " text)
        string(APPEND problems "\nIt holds ${count} file(s) not on the deployment list:\n  ${text}")
    endif()
    message(FATAL_ERROR
        "QN58_LOADER_DIR \"${folder}\" must hold exactly the files of the "
        "deployment list (job/deploymentlist.cpp).${problems}")
endfunction()
