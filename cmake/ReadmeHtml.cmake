# Writes the read-me as a plain HTML page beside the programs, where the About box's link finds it:
#   cmake -DREADME_MD=<README.md> -DREADME_HTML=<bin/README.html> -P ReadmeHtml.cmake
# It knows the little Markdown the read-me uses: headings, paragraphs, indented command lines,
# lists, tables, *emphasis* and `code`; anything else is shown as text.
file(READ "${README_MD}" text)
# Semicolons, brackets and backslashes would upset CMake's list splitting: they travel as
# markers, and become characters again in the page.
string(REPLACE ";" "@SEMICOLON@" text "${text}")
string(REPLACE "[" "@OPEN@" text "${text}")
string(REPLACE "]" "@CLOSE@" text "${text}")
string(REPLACE "\\" "@BACKSLASH@" text "${text}")
string(REPLACE "\n" ";" lines "${text}")

set(html "")
set(block "")  # the element now open: p, pre, ul or nothing
foreach(line IN LISTS lines)
    string(REPLACE "&" "&amp;" line "${line}")
    string(REPLACE "<" "&lt;" line "${line}")
    string(REPLACE ">" "&gt;" line "${line}")
    if(line MATCHES "^    (.*)$" AND NOT block STREQUAL "p" AND NOT block STREQUAL "ul")
        set(code "${CMAKE_MATCH_1}")
        if(NOT block STREQUAL "pre")
            string(APPEND html "<pre>")
            set(block "pre")
        endif()
        string(APPEND html "${code}\n")
        continue()
    endif()
    if(block STREQUAL "pre" AND NOT line STREQUAL "")
        string(APPEND html "</pre>\n")
        set(block "")
    endif()

    string(REGEX REPLACE "`([^`]*)`" "<code>\\1</code>" line "${line}")
    string(REGEX REPLACE "(^|[ (])\\*([^* ][^*]*)\\*" "\\1<em>\\2</em>" line "${line}")
    if(line MATCHES "^\\|")
        if(block STREQUAL "p" OR block STREQUAL "ul")
            string(APPEND html "</${block}>\n")
            set(block "")
        endif()
        if(line MATCHES "^\\|[-|: ]+$")
            continue()  # the line under the table's head
        endif()
        set(cell "td")
        if(NOT block STREQUAL "table")
            string(APPEND html "<table>\n")
            set(block "table")
            set(cell "th")
        endif()
        string(REGEX REPLACE "^\\| *(.*[^ ]) *\\|$" "\\1" row "${line}")
        string(REGEX REPLACE " *\\| *" "</${cell}><${cell}>" row "${row}")
        string(APPEND html "<tr><${cell}>${row}</${cell}></tr>\n")
        continue()
    endif()
    if(block STREQUAL "table")
        string(APPEND html "</table>\n")
        set(block "")
    endif()
    if(line STREQUAL "")
        if(block STREQUAL "p" OR block STREQUAL "ul")
            string(APPEND html "</${block}>\n")
            set(block "")
        endif()
    elseif(line MATCHES "^(#+) (.*)$")
        if(block STREQUAL "p" OR block STREQUAL "ul")
            string(APPEND html "</${block}>\n")
            set(block "")
        endif()
        string(LENGTH "${CMAKE_MATCH_1}" level)
        string(APPEND html "<h${level}>${CMAKE_MATCH_2}</h${level}>\n")
    elseif(line MATCHES "^[-*] (.*)$")
        if(block STREQUAL "p")
            string(APPEND html "</p>\n")
            set(block "")
        endif()
        if(NOT block STREQUAL "ul")
            string(APPEND html "<ul>\n")
            set(block "ul")
        endif()
        string(APPEND html "<li>${CMAKE_MATCH_1}\n")
    elseif(block STREQUAL "ul")
        # A list item that runs on to the next line.
        string(APPEND html "${line}\n")
    else()
        if(NOT block STREQUAL "p")
            string(APPEND html "<p>")
            set(block "p")
        endif()
        string(APPEND html "${line}\n")
    endif()
endforeach()
if(NOT block STREQUAL "")
    string(APPEND html "</${block}>\n")
endif()

string(REPLACE "@SEMICOLON@" "&#59;" html "${html}")
string(REPLACE "@OPEN@" "&#91;" html "${html}")
string(REPLACE "@CLOSE@" "&#93;" html "${html}")
string(REPLACE "@BACKSLASH@" "&#92;" html "${html}")

file(WRITE "${README_HTML}" "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>Carvel and Seamer</title>
<style>
body { font-family: sans-serif; max-width: 46em; margin: 2em auto; padding: 0 1em; line-height: 1.45; }
pre, code { background: #eef2f7; }
pre { padding: 0.6em 1em; }
table { border-collapse: collapse; }
th, td { border: 1px solid #b9c6d6; padding: 0.2em 0.6em; text-align: left; }
</style>
</head>
<body>
${html}</body>
</html>
")
