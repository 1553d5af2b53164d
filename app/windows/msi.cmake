# Makes the MSI from dist/ in the build folder (the target qn58-msi runs it
# there). The same dist/ and SOURCE_DATE_EPOCH give the same bytes: wixl-heat
# names folders at random and wixl takes the time and the package code from
# the clock and chance, so the folder names are counted instead, wixl runs
# under faketime at that date, and the package code is made from the
# package's own bytes afterwards (msibuild).
# Arguments: -DMSI= -DUPGRADE_CODE= -DSUMMARY_SUBJECT= -DSUMMARY_AUTHOR= and
# the tools -DHEAT= -DWIXL= -DMSIBUILD= -DFAKETIME=.

file(GLOB_RECURSE distFiles LIST_DIRECTORIES false RELATIVE ${CMAKE_CURRENT_BINARY_DIR} dist/*)
list(SORT distFiles)
list(JOIN distFiles "\n" listing)
file(WRITE dist-files.txt "${listing}\n")
execute_process(
    COMMAND ${HEAT} --prefix dist/ --exclude qn58-jlink-setup.exe --exclude qn58-jlink-setup-cli.exe
            --directory-ref INSTALLDIR --component-group distFiles --var var.DistDir --win64
    INPUT_FILE dist-files.txt OUTPUT_VARIABLE fragment COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "Directory Id=\"dir[0-9A-F]+\"" randomIds "${fragment}")
set(number 0)
foreach(randomId ${randomIds})
    math(EXPR number "${number} + 1")
    string(REPLACE "${randomId}" "Directory Id=\"distDir${number}\"" fragment "${fragment}")
endforeach()
file(WRITE dist-files.wxs "${fragment}")

# A new product code for other files, as a random one would be; the same
# for the same files.
string(REGEX REPLACE "[{}]" "" namespace "${UPGRADE_CODE}")
set(contents "")
foreach(path ${distFiles})
    file(SHA256 ${path} digest)
    string(APPEND contents "${digest}  ${path}\n")
endforeach()
string(UUID productCode NAMESPACE ${namespace} NAME "product ${contents}" TYPE SHA1 UPPER)

set(clock)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND date -u -d @$ENV{SOURCE_DATE_EPOCH} "+%Y-%m-%d %H:%M:%S"
                    OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(clock ${CMAKE_COMMAND} -E env TZ=UTC ${FAKETIME} -f "${date}")
endif()
execute_process(
    COMMAND ${clock} ${WIXL} --arch x64 -D DistDir=dist -D Win64=yes -D "ProductCode={${productCode}}"
            -o ${MSI} msi.wxs dist-files.wxs
    COMMAND_ERROR_IS_FATAL ANY)

# The package code, wixl's at random, is made from the bytes the package has
# with a fixed one.
function(setSummary packageCode)
    execute_process(
        COMMAND ${MSIBUILD} ${MSI} -s "${SUMMARY_SUBJECT}" "${SUMMARY_AUTHOR}" "x64;1033" "{${packageCode}}"
        COMMAND_ERROR_IS_FATAL ANY)
endfunction()
setSummary(00000000-0000-0000-0000-000000000000)
file(SHA256 ${MSI} digest)
string(UUID packageCode NAMESPACE ${namespace} NAME "package ${digest}" TYPE SHA1 UPPER)
setSummary(${packageCode})
