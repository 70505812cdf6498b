# cmake -DCATALOG=<dravin_en.ts> -DOUTPUT=<cpp> -P EnglishTexts.cmake
#
# dravin-cli prints the English catalog's words for the core's texts, also in
# a build without Qt: this script turns the catalog's messages of the context
# "Dravin" whose English differs from the source (the Chinese texts) into a
# C++ table, englishText() of tools/cli/EnglishTexts.h.
include(${CMAKE_CURRENT_LIST_DIR}/TsText.cmake)

file(READ "${CATALOG}" content)
ts_split(contexts "${content}" "</context>")
set(entries "")
set(count 0)
foreach(context IN LISTS contexts)
    if(NOT context MATCHES "<name>Dravin</name>")
        continue()
    endif()
    ts_split(messages "${context}" "</message>")
    foreach(message IN LISTS messages)
        if(NOT message MATCHES "<source>([^<]*)</source>")
            continue()
        endif()
        set(source "${CMAKE_MATCH_1}")
        if(NOT message MATCHES "<translation>([^<]*)</translation>")
            continue()  # unfinished: the source text stands
        endif()
        set(english "${CMAKE_MATCH_1}")
        if(source STREQUAL english)
            continue()
        endif()
        foreach(text source english)
            ts_restore(${text} "${${text}}")
            ts_unescape(${text} "${${text}}")
            c_string_literal(${text} "${${text}}")
        endforeach()
        string(APPEND entries "    Entry{${source},\n          ${english}},\n")
        math(EXPR count "${count} + 1")
    endforeach()
endforeach()

file(WRITE "${OUTPUT}.new" "// Generated from ${CATALOG} by EnglishTexts.cmake.
#include \"EnglishTexts.h\"

#include <array>
#include <cstring>

namespace {

struct Entry {
    const char* source;
    const char* english;
};

constexpr std::array<Entry, ${count}> kEntries{{
${entries}}};

}  // namespace

const char* englishText(const char* source) {
    for (const Entry& entry : kEntries) {
        if (std::strcmp(entry.source, source) == 0) return entry.english;
    }
    return nullptr;
}
")
# Unchanged contents keep the file's time: nothing is compiled again.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
