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

# The pieces of `content` between `separator`s, as a list: a ";" of the text
# is kept as the placeholder <semicolon> (ts_restore_semicolons undoes it).
function(ts_split out content separator)
    string(REPLACE ";" "<semicolon>" content "${content}")
    string(REPLACE "${separator}" ";" content "${content}")
    set(${out} "${content}" PARENT_SCOPE)
endfunction()

function(ts_restore_semicolons out text)
    string(REPLACE "<semicolon>" ";" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
