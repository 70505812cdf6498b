# cmake -DLUPDATE=<lupdate> -DSOURCE_DIR=<top> -DWORK_DIR=<scratch>
#       [-DUPDATE=<ts>;<ts>...] [-DCHECK=<ts>;<ts>...] -P CatalogTexts.cmake
#
# The texts of the program's code, found by lupdate: the window's tr(),
# QCoreApplication::translate() and QT_TRANSLATE_NOOP(), and the core's tx()
# and txNoop(), which land in the context "Dravin".
#   UPDATE: lupdate merges them into these catalogs, keeping every translation
#           they hold and dropping texts the code no longer has.
#   CHECK:  fails naming each text of the code that one of these catalogs
#           lacks.
include(${CMAKE_CURRENT_LIST_DIR}/TsText.cmake)

set(program_dirs app archive base link logdata record views setup ui)
set(sources "")
foreach(dir ${program_dirs})
    list(APPEND sources ${SOURCE_DIR}/${dir})
endforeach()
set(lupdate_options -silent -locations none -extensions cpp,h -I ${SOURCE_DIR})

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# The core's texts, which lupdate knows as id-based messages.
execute_process(COMMAND ${LUPDATE} ${lupdate_options}
                        -tr-function-alias qtTrId=tx,QT_TRID_NOOP=txNoop ${sources}
                        -ts ${WORK_DIR}/core_ids.ts
                RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE errors)
if(failed)
    message(FATAL_ERROR "lupdate failed: ${errors}")
endif()
# lupdate writes an id as it is, a carriage return too, which file(READ)
# would drop before a line feed: it is read as the control character 0x01.
execute_process(COMMAND tr "\\r" "\\001" INPUT_FILE ${WORK_DIR}/core_ids.ts
                OUTPUT_FILE ${WORK_DIR}/core_ids_cr.ts RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "tr failed on ${WORK_DIR}/core_ids.ts")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -DIDS=${WORK_DIR}/core_ids_cr.ts
                        -DOUTPUT=${WORK_DIR}/CoreTexts.cpp
                        -P ${CMAKE_CURRENT_LIST_DIR}/CoreTexts.cmake
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "The core's texts could not be read")
endif()

# The language a catalog is for, from its name: dravin_zh_CN.ts is zh_CN.
function(catalog_language out ts)
    get_filename_component(name "${ts}" NAME_WE)
    string(REGEX MATCH "^[^_]*_(.*)$" language "${name}")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

foreach(ts IN LISTS UPDATE)
    catalog_language(language "${ts}")
    execute_process(COMMAND ${LUPDATE} ${lupdate_options} -no-obsolete
                            -target-language ${language} ${sources} ${WORK_DIR}/CoreTexts.cpp
                            -ts ${ts}
                    RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "lupdate failed on ${ts}")
    endif()
endforeach()

# Each message of a catalog as "context|source", the source as the .ts
# file writes it.
function(catalog_messages out ts)
    file(READ "${ts}" content)
    ts_split(contexts "${content}" "</context>")
    set(messages "")
    foreach(context IN LISTS contexts)
        if(NOT context MATCHES "<name>([^<]*)</name>")
            continue()
        endif()
        set(name "${CMAKE_MATCH_1}")
        string(REGEX MATCHALL "<source>[^<]*</source>" sources "${context}")
        foreach(source IN LISTS sources)
            string(REGEX REPLACE "^<source>(.*)</source>$" "\\1" source "${source}")
            list(APPEND messages "${name}|${source}")
        endforeach()
    endforeach()
    set(${out} "${messages}" PARENT_SCOPE)
endfunction()

if(CHECK)
    execute_process(COMMAND ${LUPDATE} ${lupdate_options} ${sources} ${WORK_DIR}/CoreTexts.cpp
                            -ts ${WORK_DIR}/code.ts
                    RESULT_VARIABLE failed OUTPUT_QUIET)
    if(failed)
        message(FATAL_ERROR "lupdate failed on the code's texts")
    endif()
    catalog_messages(code "${WORK_DIR}/code.ts")
    set(missing "")
    foreach(ts IN LISTS CHECK)
        catalog_messages(held "${ts}")
        foreach(message IN LISTS code)
            list(FIND held "${message}" found)
            if(found EQUAL -1)
                ts_restore(shown "${message}")
                string(APPEND missing "\n  ${ts}: ${shown}")
            endif()
        endforeach()
    endforeach()
    if(missing)
        message(FATAL_ERROR "Texts of the code that a catalog lacks "
                            "(scripts/update-translations.sh adds them):${missing}")
    endif()
endif()
