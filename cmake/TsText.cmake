# Helpers for the cmake -P scripts that read translation (.ts) files.

# The text of an XML-escaped .ts string: entities undone.
function(ts_unescape out text)
    string(REPLACE "&#xd;" "\r" text "${text}")
    string(REPLACE "&#xD;" "\r" text "${text}")
    string(REPLACE "&#x9;" "\t" text "${text}")
    string(REPLACE "&#xa;" "\n" text "${text}")
    string(REPLACE "&lt;" "<" text "${text}")
    string(REPLACE "&gt;" ">" text "${text}")
    string(REPLACE "&quot;" "\"" text "${text}")
    string(REPLACE "&apos;" "'" text "${text}")
    string(REPLACE "&amp;" "&" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# `text` as a C++ string literal, quotes included.
function(c_string_literal out text)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    string(REPLACE "\r" "\\r" text "${text}")
    string(REPLACE "\n" "\\n" text "${text}")
    string(REPLACE "\t" "\\t" text "${text}")
    set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

# The pieces of `content` between `separator`s, as a list. A ";" of the text
# is kept as the placeholder @@SC@@, which would split a list (no "<" in it,
# so that [^<]* still takes a whole text); ts_restore undoes it.
function(ts_split out content separator)
    # lupdate writes a carriage return as an element; as the entity it reads
    # like every other escaped character.
    string(REPLACE "<byte value=\"xd\"/>" "&#xd;" content "${content}")
    string(REPLACE ";" "@@SC@@" content "${content}")
    string(REPLACE "${separator}" ";" content "${content}")
    set(${out} "${content}" PARENT_SCOPE)
endfunction()

function(ts_restore out text)
    string(REPLACE "@@SC@@" ";" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
