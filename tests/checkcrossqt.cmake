# Checks that a cross build found the target's Qt and not the build
# machine's: the triplet TRIPLET (the compiler's multiarch folder name) is
# for PROCESSOR, and each of PATHS (Qt's header folders and libraries,
# separated by "|") lies in that triplet's multiarch folders.
#   cmake -DPROCESSOR=... -DTRIPLET=... -DPATHS=... -P checkcrossqt.cmake
if(NOT TRIPLET MATCHES "^${PROCESSOR}-")
    message(FATAL_ERROR "The compiler's libraries (${TRIPLET}) are not for ${PROCESSOR}")
endif()
string(REPLACE "|" ";" paths "${PATHS}")
foreach(path IN LISTS paths)
    if(NOT path MATCHES "^/usr/(include|lib)/${TRIPLET}/")
        message(FATAL_ERROR "Qt's ${path} is not the ${TRIPLET} one")
    endif()
endforeach()
