# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DCMARK=<cmark-gfm> -DSOURCE=<page.md> -DOUTPUT=<page.html> -DTITLE=<title> -P MarkdownPage.cmake
# A Markdown page of docs/ as a page of its own for the browser, with its tables, beside the
# help page: readable offline, as the help page is.
execute_process(COMMAND ${CMARK} --extension table --to html ${SOURCE}
                OUTPUT_VARIABLE body RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${CMARK} could not read ${SOURCE}")
endif()
file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>${TITLE}</title>
<style>
body { font-family: sans-serif; max-width: 50em; margin: 2em auto; padding: 0 1em;
       line-height: 1.5; color: #1a1a1a; }
code, pre { background: #f2f2f2; }
pre { padding: 0.6em; overflow-x: auto; }
table { border-collapse: collapse; }
th, td { border: 1px solid #bbb; padding: 0.3em 0.6em; text-align: left; vertical-align: top; }
</style>
</head>
<body>
${body}</body>
</html>
")
