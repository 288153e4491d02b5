# Turns a Qt Linguist file (translations/tallix_ja.ts) into a C++ table of its translations, for
# the programs that show them without Qt (tallix.exe): a row {context, source, translation} per
# finished translation, as UTF-8 raw string literals, in the array TABLE of TABLESize rows.
#
#   cmake -DTS=translations/tallix_ja.ts -DOUT=japanese_table.cpp -DTABLE=kJapaneseTexts
#         -P cmake/ts_table.cmake
#
# Written with string operations only (no lists), so that texts with ";" or "[" pass unchanged.
cmake_minimum_required(VERSION 3.25)
foreach(var TS OUT TABLE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "ts_table.cmake needs -D${var}=")
  endif()
endforeach()

# The text of an element's content: XML's five named entities decoded. lupdate writes other
# characters as they are (the file is UTF-8), and numeric entities only for control characters,
# which no text here has.
function(xml_text out text)
  if(text MATCHES "&#")
    message(FATAL_ERROR "${TS}: a numeric character reference in \"${text}\"")
  endif()
  string(REPLACE "&lt;" "<" text "${text}")
  string(REPLACE "&gt;" ">" text "${text}")
  string(REPLACE "&quot;" "\"" text "${text}")
  string(REPLACE "&apos;" "'" text "${text}")
  string(REPLACE "&amp;" "&" text "${text}")
  if(text MATCHES "\\)tallix\"")
    message(FATAL_ERROR "${TS}: a text holds the raw string's delimiter: \"${text}\"")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The content of the first <tag>…</tag> in `text`; "" when there is none.
function(element out tag text)
  string(FIND "${text}" "<${tag}>" begin)
  string(FIND "${text}" "</${tag}>" end)
  if(begin EQUAL -1 OR end EQUAL -1)
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  string(LENGTH "<${tag}>" open)
  math(EXPR begin "${begin} + ${open}")
  math(EXPR length "${end} - ${begin}")
  string(SUBSTRING "${text}" ${begin} ${length} content)
  set(${out} "${content}" PARENT_SCOPE)
endfunction()

file(READ "${TS}" ts)
set(rows "")
set(count 0)
# Context by context, message by message.
while(TRUE)
  string(FIND "${ts}" "<context>" begin)
  if(begin EQUAL -1)
    break()
  endif()
  string(FIND "${ts}" "</context>" end)
  math(EXPR length "${end} - ${begin}")
  string(SUBSTRING "${ts}" ${begin} ${length} context)
  math(EXPR end "${end} + 10")
  string(SUBSTRING "${ts}" ${end} -1 ts)
  element(name "name" "${context}")
  while(TRUE)
    string(FIND "${context}" "<message>" begin)
    if(begin EQUAL -1)
      break()
    endif()
    string(FIND "${context}" "</message>" end)
    math(EXPR length "${end} - ${begin}")
    string(SUBSTRING "${context}" ${begin} ${length} message)
    math(EXPR end "${end} + 10")
    string(SUBSTRING "${context}" ${end} -1 context)
    # An unfinished, vanished or obsolete translation is left out: the English text stays.
    if(message MATCHES "<translation type=")
      continue()
    endif()
    element(source "source" "${message}")
    element(translation "translation" "${message}")
    xml_text(source "${source}")
    xml_text(translation "${translation}")
    if(translation STREQUAL "")
      continue()
    endif()
    string(APPEND rows "    {\"${name}\",\n     R\"tallix(${source})tallix\",\n"
                       "     R\"tallix(${translation})tallix\"},\n")
    math(EXPR count "${count} + 1")
  endwhile()
endwhile()

set(cpp "// Made by cmake/ts_table.cmake from ${TS}; do not edit.\n")
string(APPEND cpp "#include \"base/translations.h\"\n\nnamespace tallix {\n\n")
string(APPEND cpp "extern const Translation ${TABLE}[${count}] = {\n${rows}};\n")
string(APPEND cpp "extern const std::size_t ${TABLE}Size = ${count};\n\n")
string(APPEND cpp "}  // namespace tallix\n")
# Written only when it changed, so that an unchanged table is not compiled again.
set(old "")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT "${old}" STREQUAL "${cpp}")
  file(WRITE "${OUT}" "${cpp}")
endif()
