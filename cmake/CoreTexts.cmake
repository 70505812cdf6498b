# cmake -DIDS=<ts> -DOUTPUT=<cpp> -P CoreTexts.cmake
#
# The core marks its texts with tx("...") and txNoop("..."), which lupdate
# takes for id-based messages (-tr-function-alias qtTrId=tx,QT_TRID_NOOP=txNoop)
# and writes into IDS. The window's catalogs hold them as messages of the
# context "Dravin", whose source is the text itself: this script writes each
# as QT_TRANSLATE_NOOP("Dravin", "...") into OUTPUT, a file for lupdate only,
# so that one lupdate run over the window's sources and it updates the catalogs
# and keeps their translations.
include(${CMAKE_CURRENT_LIST_DIR}/TsText.cmake)

# A carriage return arrives as the control character 0x01 (see
# CatalogTexts.cmake).
string(ASCII 1 carriage_return_mark)
file(READ "${IDS}" content)
string(REPLACE "${carriage_return_mark}" "\r" content "${content}")
ts_split(messages "${content}" "<message id=\"")
list(REMOVE_AT messages 0)
set(lines "// Generated from the core's tx() texts for lupdate; not compiled.\n")
foreach(message IN LISTS messages)
    ts_restore(message "${message}")
    # lupdate writes the id as it is, unescaped; the message's first element
    # follows it.
    if(NOT message MATCHES "^(.*)\">[ \t\r\n]*<(location|source)")
        message(FATAL_ERROR "${IDS}: a message without its id: ${message}")
    endif()
    c_string_literal(literal "${CMAKE_MATCH_1}")
    string(APPEND lines "QT_TRANSLATE_NOOP(\"Dravin\", ${literal});\n")
endforeach()
file(WRITE "${OUTPUT}" "${lines}")
