# Stand-in flash loaders for builds without the vendor's: real CMSIS flash
# algorithm files whose every entry point fails. The code is compiled once;
# each loader adds its own device descriptor and is linked on its own.

include(${CMAKE_CURRENT_LIST_DIR}/loadermemory.cmake)

find_program(QN58_CLANG NAMES clang clang-14)
find_program(QN58_LLD NAMES ld.lld ld.lld-14)
if(NOT QN58_CLANG OR NOT QN58_LLD)
    message(FATAL_ERROR
        "Building the stand-in flash loaders needs clang and lld "
        "(Debian: apt-get install clang lld), or set QN58_LOADER_DIR to the "
        "folder with the vendor's loaders.")
endif()

# Thumb code for the smallest core of the family runs on all of them. Debug
# information in DWARF 4, which the ELF readers of flash tools still parse,
# and without the build machine's paths.
set(QN58_STANDIN_FLAGS
    --target=thumbv6m-none-eabi -mcpu=cortex-m0 -Os -gdwarf-4 -gline-tables-only
    ${QN58_PATH_MAPS}
    -ffreestanding -fropi -frwpi -fno-zero-initialized-in-bss
    -fno-unwind-tables -fno-asynchronous-unwind-tables)

# Adds the commands that make outDir/<name> for each further argument, a
# loader file name ending ".FLM", and the target qn58-standins that makes them
# all.
function(qn58_add_standin_loaders outDir)
    set(sourceDir ${PROJECT_SOURCE_DIR}/tools/standin)
    set(objectDir ${CMAKE_CURRENT_BINARY_DIR}/standin)
    file(MAKE_DIRECTORY ${objectDir} ${outDir})
    add_custom_command(
        OUTPUT ${objectDir}/flashalgo.o
        COMMAND ${QN58_CLANG} ${QN58_STANDIN_FLAGS}
                -c ${sourceDir}/flashalgo.c -o ${objectDir}/flashalgo.o
        DEPENDS ${sourceDir}/flashalgo.c
        COMMENT "Compiling the stand-in flash algorithm"
        VERBATIM)
    set(loaders)
    foreach(name ${ARGN})
        qn58_loader_memory(${name} defines)
        string(REGEX REPLACE "\\.FLM$" "" loader ${name})
        list(TRANSFORM defines PREPEND -D)
        add_custom_command(
            OUTPUT ${outDir}/${name}
            COMMAND ${QN58_CLANG} ${QN58_STANDIN_FLAGS} -DLOADER=${loader} ${defines}
                    -c ${sourceDir}/flashdevice.c -o ${objectDir}/${loader}.o
            COMMAND ${QN58_LLD} -T ${sourceDir}/standin.ld -z max-page-size=4 --entry=0
                    ${objectDir}/flashalgo.o ${objectDir}/${loader}.o -o ${outDir}/${name}
            DEPENDS ${objectDir}/flashalgo.o ${sourceDir}/flashdevice.c
                    ${sourceDir}/standin.ld ${sourceDir}/loadermemory.cmake
            COMMENT "Making the stand-in loader ${name}"
            VERBATIM)
        list(APPEND loaders ${outDir}/${name})
    endforeach()
    add_custom_target(qn58-standins DEPENDS ${loaders})
endfunction()
