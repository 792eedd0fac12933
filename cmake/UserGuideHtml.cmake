# Writes the user guide, one HTML page made of the help file's topics in the order of its
# contents, which the About box's link opens in the desktop's browser:
#   cmake -DSOURCE_DIR=<help/chm> -DTOPICS=<Welcome.htm,...> -DOUTPUT=<bin/UserGuide.html>
#         -P UserGuideHtml.cmake
# A link between topics becomes a link within the page. What only the help window has is left
# out: the topics' associative-link objects, and paragraphs marked class="helponly".
string(REPLACE "," ";" TOPICS "${TOPICS}")
set(sections "")
foreach(topic IN LISTS TOPICS)
    file(READ "${SOURCE_DIR}/${topic}" html)
    string(REGEX REPLACE "\\.htm$" "" id "${topic}")
    string(FIND "${html}" "<body>" start)
    string(FIND "${html}" "</body>" end)
    if(start EQUAL -1 OR end EQUAL -1)
        message(FATAL_ERROR "${topic} has no <body> and </body>")
    endif()
    math(EXPR start "${start} + 6")
    math(EXPR length "${end} - ${start}")
    string(SUBSTRING "${html}" ${start} ${length} body)
    string(REGEX REPLACE "<object[^\n]*</object>\n?" "" body "${body}")
    string(REGEX REPLACE "<p class=\"helponly\">[^<]*</p>\n?" "" body "${body}")
    string(REGEX REPLACE "href=\"[A-Za-z]+\\.htm#" "href=\"#" body "${body}")
    string(REGEX REPLACE "href=\"([A-Za-z]+)\\.htm\"" "href=\"#\\1\"" body "${body}")
    string(APPEND sections "<div class=\"topic\" id=\"${id}\">${body}</div>\n")
endforeach()

file(WRITE "${OUTPUT}" "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">
<html lang=\"en\">
<head>
<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">
<title>Carvel User Guide</title>
<style type=\"text/css\">
body { font-family: Tahoma, Arial, sans-serif; font-size: 10pt; max-width: 48em; margin: 1em auto; padding: 0 1em; }
h1 { font-size: 14pt; color: #1f3f6f; }
h2 { font-size: 11pt; color: #1f3f6f; }
code, pre { font-family: \"Courier New\", monospace; }
td, th { padding: 2px 8px; }
.topic + .topic { border-top: 1px solid #b9c6d6; margin-top: 2em; }
</style>
</head>
<body>
${sections}</body>
</html>
")
