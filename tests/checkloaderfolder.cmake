# The build's check of a folder with the vendor's loaders, on its own:
#   cmake -DQN58_LOADER_DIR=<folder> -P checkloaderfolder.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../tools/payloadfiles.cmake)
qn58_deployment_names(names)
qn58_check_loader_folder("${QN58_LOADER_DIR}" ${names})
