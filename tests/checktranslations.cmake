# Fails when a translation lags behind the texts of the sources: lupdate, run
# on a copy of each .ts file, finds a text not yet translated (unfinished) or
# one the sources no longer have (vanished, obsolete). The glossary of fixed
# terms stays at the top of each file, on its first message.
#   cmake -DLUPDATE=<lupdate> -DSOURCE_DIR=<project> -DWORK_DIR=<folder>
#         "-DLANGUAGES=de;ja;zh_CN" "-DSOURCES=app;job;..." -P checktranslations.cmake
file(MAKE_DIRECTORY ${WORK_DIR})
set(problems)
foreach(language ${LANGUAGES})
    set(copy ${WORK_DIR}/qn58_${language}.ts)
    configure_file(${SOURCE_DIR}/translations/qn58_${language}.ts ${copy} COPYONLY)
    execute_process(COMMAND ${LUPDATE} -silent -locations none ${SOURCES} -ts ${copy}
                    WORKING_DIRECTORY ${SOURCE_DIR} COMMAND_ERROR_IS_FATAL ANY)
    # lupdate writes each element of a message on lines of its own.
    file(STRINGS ${copy} lines ENCODING UTF-8)
    set(source)
    set(glossary NO)
    set(firstMessage YES)
    foreach(line IN LISTS lines)
        if(line MATCHES "<source>([^<]*)")
            set(source "${CMAKE_MATCH_1}")
        elseif(line MATCHES "<translation type=\"([a-z]+)\"")
            list(APPEND problems "qn58_${language}.ts: ${CMAKE_MATCH_1}: ${source}")
        elseif(firstMessage AND line MATCHES "<translatorcomment>Glossary")
            set(glossary YES)
        elseif(line MATCHES "</message>")
            set(firstMessage NO)
        endif()
    endforeach()
    if(NOT glossary)
        list(APPEND problems "qn58_${language}.ts: no glossary (a translator comment \"Glossary...\") on the first message")
    endif()
endforeach()
if(problems)
    list(JOIN problems "\n  " problems)
    message(FATAL_ERROR "The translations lag behind the sources (build the target "
                        "qn58-lupdate, then translate):\n  ${problems}")
endif()
