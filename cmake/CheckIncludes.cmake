# The arrows between the folders point one way: windows use the core, the core
# never reaches Qt or a window, base/ reaches nothing above it, and nothing
# but the application itself reaches into app/. Run as a test:
# cmake -DSOURCE_DIR=... -P this.

set(core_dirs app archive base link logdata record views setup ui)
set(failures "")

function(check_file file rule_regex message)
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
    file(RELATIVE_PATH rel "${SOURCE_DIR}" "${file}")
    set(found "${failures}")
    foreach(line IN LISTS lines)
        if(line MATCHES "${rule_regex}")
            string(APPEND found "\n${rel}: ${message}: ${line}")
        endif()
    endforeach()
    set(failures "${found}" PARENT_SCOPE)
endfunction()

foreach(dir IN LISTS core_dirs)
    file(GLOB sources "${SOURCE_DIR}/${dir}/*.h" "${SOURCE_DIR}/${dir}/*.cpp")
    foreach(file IN LISTS sources)
        check_file("${file}" "<Q[A-Za-z]*>|<Qt" "the core includes Qt")
        check_file("${file}" "/widgets/" "the core includes a window class")
        if(dir STREQUAL "base")
            check_file("${file}" "\"(app|archive|link|logdata|record|views|setup|ui|tools)/" "base/ reaches above itself")
        endif()
        if(dir STREQUAL "archive")
            # The archive keeps the log files: it knows them and the door, no more.
            check_file("${file}" "\"(app|link|record|views|ui|tools)/" "the archive reaches beyond the log data")
        endif()
        if(dir STREQUAL "logdata")
            check_file("${file}" "\"link/(.*)\"" "the log data may use only the setup record of the link")
        endif()
    endforeach()
endforeach()

# The program's folders and its tools: only app/ reaches app/.
set(program_dirs archive base link logdata record views setup ui tools bench fuzz)
foreach(dir IN LISTS program_dirs)
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${dir}/*.h" "${SOURCE_DIR}/${dir}/*.cpp")
    foreach(file IN LISTS sources)
        check_file("${file}" "\"app/" "reaches up into app/")
    endforeach()
endforeach()

# The one link header the log data may use: the logger's identity it stores.
string(REGEX REPLACE "\n[^\n]*link/LoggerSetup\\.h\"[^\n]*" "" failures "${failures}")

if(failures)
    message(FATAL_ERROR "Include rules broken:${failures}")
endif()
message(STATUS "Include rules hold")
