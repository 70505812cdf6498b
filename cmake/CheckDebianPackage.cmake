# Builds the Debian package of a build directory into a scratch folder and
# looks into it: the files an installed copy needs, the desktop entry that
# opens *.drav, the dependencies, and the description's word on the dialout
# group.
#
#   cmake -DBINARY_DIR=<build dir> -DSCRATCH=<folder> [-DCPACK=<cpack>]
#         -P cmake/CheckDebianPackage.cmake

foreach(var BINARY_DIR SCRATCH)
    if(NOT ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()
if(NOT CPACK)
    set(CPACK cpack)
endif()
find_program(DPKG_DEB dpkg-deb REQUIRED)

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(
    COMMAND "${CPACK}" -G DEB -B "${SCRATCH}" --config "${BINARY_DIR}/CPackConfig.cmake"
    WORKING_DIRECTORY "${BINARY_DIR}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack -G DEB failed (${result}):\n${output}")
endif()
file(GLOB packages "${SCRATCH}/*.deb")
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb in ${SCRATCH}, found ${count}:\n${output}")
endif()
set(package "${packages}")
message(STATUS "Package: ${package}")

set(failures "")

# Every line of `dpkg-deb -c` ends in the path, ./usr/...
execute_process(COMMAND "${DPKG_DEB}" -c "${package}"
                RESULT_VARIABLE result OUTPUT_VARIABLE contents)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -c failed (${result})")
endif()
string(APPEND contents "\n")
foreach(path
        usr/bin/dravin
        usr/bin/dravin-cli
        usr/share/applications/dravin.desktop
        usr/share/mime/packages/dravin-mime.xml
        usr/share/icons/hicolor/scalable/apps/dravin.svg)
    string(FIND "${contents}" " ./${path}\n" at)
    if(at EQUAL -1)
        list(APPEND failures "the package lacks ${path}")
    endif()
endforeach()
# The simulator is a developer's tool.
string(FIND "${contents}" "dravin-logger-sim" at)
if(NOT at EQUAL -1)
    list(APPEND failures "the package holds the simulator")
endif()

function(control_field name out)
    execute_process(COMMAND "${DPKG_DEB}" -f "${package}" ${name}
                    RESULT_VARIABLE result OUTPUT_VARIABLE value)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "dpkg-deb -f ${name} failed (${result})")
    endif()
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

control_field(Description description)
if(NOT description MATCHES "dialout")
    list(APPEND failures "the Description does not mention the dialout group:\n${description}")
endif()
control_field(Depends depends)
foreach(dependency libqt6widgets6 qt6-qpa-plugins)
    if(NOT depends MATCHES "(^|[ ,])${dependency}([ ,(]|$)")
        list(APPEND failures "Depends lacks ${dependency}: ${depends}")
    endif()
endforeach()
foreach(field Maintainer Section)
    control_field(${field} value)
    string(STRIP "${value}" value)
    if(value STREQUAL "")
        list(APPEND failures "no ${field}")
    endif()
endforeach()

# Installed, a double-click on a .drav file runs `dravin <file>`: the desktop
# entry names the MIME type that the package's MIME file gives *.drav.
set(root "${SCRATCH}/root")
execute_process(COMMAND "${DPKG_DEB}" -x "${package}" "${root}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -x failed (${result})")
endif()
file(READ "${root}/usr/share/applications/dravin.desktop" desktop)
file(READ "${root}/usr/share/mime/packages/dravin-mime.xml" mime)
if(NOT mime MATCHES "<mime-type type=\"([^\"]+)\">")
    list(APPEND failures "dravin-mime.xml names no MIME type")
else()
    set(type "${CMAKE_MATCH_1}")
    if(NOT mime MATCHES "<glob pattern=\"\\*\\.drav\"/>")
        list(APPEND failures "${type} is not given to *.drav")
    endif()
    if(NOT desktop MATCHES "\nMimeType=([^\n]*;)?${type};")
        list(APPEND failures "the desktop entry does not name ${type}")
    endif()
endif()
if(NOT desktop MATCHES "\nExec=dravin %f\n")
    list(APPEND failures "the desktop entry does not run `dravin %f`")
endif()

# The translation catalogs are embedded in the program: their names and their
# texts are UTF-16 there, which `strings -e b` reads.
find_program(STRINGS strings REQUIRED)
execute_process(COMMAND "${STRINGS}" -e b "${root}/usr/bin/dravin"
                RESULT_VARIABLE result OUTPUT_VARIABLE wide)
foreach(text dravin_en.qm dravin_zh_CN.qm "Reading the logger's setup timed out")
    string(FIND "${wide}" "${text}" at)
    if(at EQUAL -1)
        list(APPEND failures "the program does not embed the catalogs: no ${text}")
    endif()
endforeach()

if(failures)
    list(JOIN failures "\n" text)
    message(FATAL_ERROR "${text}")
endif()
message(STATUS "The package holds the programs with their catalogs, the desktop entry, the icon "
               "and the MIME type")
