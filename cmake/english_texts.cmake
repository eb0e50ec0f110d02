# Writes the program's built-in English texts, the second column of lang.csv, as a
# C++ source that defines EnglishTexts() (data/language_fallbacks.h). Run at build time:
#
#   cmake -DLANG_CSV=res/lang.csv -DTABLE_HEADER=data/language_table.h
#         -DOUTPUT=english_texts.cpp -P cmake/english_texts.cmake
#
# Line 1 of lang.csv names the languages; text #n is line n + 2, "Chinese,English".
# The file must hold exactly the texts the text enum names (up to text::Last), each
# with its two columns; otherwise the build stops here, naming the line. The English
# column is cut where the program's loader cuts it: at the next comma, and a CR
# before the line end goes (CRLF files give the same texts).

foreach(var LANG_CSV TABLE_HEADER OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "english_texts.cmake: -D${var}=... is missing")
  endif()
endforeach()

file(READ "${TABLE_HEADER}" header)
if(NOT header MATCHES "[ \t]Last = ([0-9]+),")
  message(FATAL_ERROR "${TABLE_HEADER}: no 'Last = <number>,' in the text enum")
endif()
set(last "${CMAKE_MATCH_1}")
math(EXPR wanted "${last} + 1")

file(READ "${LANG_CSV}" csv)
# The line end of the last line opens no new line.
string(REGEX REPLACE "\n$" "" csv "${csv}")

# Raw string literals keep quotes, backslashes and UTF-8 as they are; only the
# closing sequence itself cannot stand inside one.
set(close ")txt\"")
set(body "")
set(line 0)
set(count 0)
set(rest "${csv}")
set(more TRUE)
while(more)
  string(FIND "${rest}" "\n" end)
  if(end EQUAL -1)
    set(text_line "${rest}")
    set(more FALSE)
  else()
    string(SUBSTRING "${rest}" 0 ${end} text_line)
    math(EXPR next "${end} + 1")
    string(SUBSTRING "${rest}" ${next} -1 rest)
  endif()
  math(EXPR line "${line} + 1")
  if(line EQUAL 1)
    continue()  # the languages' names
  endif()
  math(EXPR n "${line} - 2")
  if(n GREATER last)
    message(FATAL_ERROR "${LANG_CSV}:${line}: text #${n} is beyond text::Last (${last}); "
                        "name it in ${TABLE_HEADER}")
  endif()
  string(REGEX REPLACE "\r$" "" text_line "${text_line}")
  string(FIND "${text_line}" "," comma)
  if(comma EQUAL -1)
    message(FATAL_ERROR "${LANG_CSV}:${line}: text #${n} has no second column "
                        "(a line is \"Chinese,English\")")
  endif()
  math(EXPR start "${comma} + 1")
  string(SUBSTRING "${text_line}" ${start} -1 english)
  string(FIND "${english}" "," comma)
  if(NOT comma EQUAL -1)
    string(SUBSTRING "${english}" 0 ${comma} english)
  endif()
  string(FIND "${english}" "${close}" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${LANG_CSV}:${line}: text #${n} holds '${close}'")
  endif()
  string(APPEND body "        R\"txt(${english})txt\",  // #${n}\n")
  math(EXPR count "${count} + 1")
endwhile()

if(count LESS wanted)
  math(EXPR missing_line "${count} + 2")
  message(FATAL_ERROR "${LANG_CSV}:${missing_line}: text #${count} is missing: the file ends "
                      "after line ${line}, the program has ${wanted} texts (up to #${last})")
endif()

set(source "// Generated from res/lang.csv by cmake/english_texts.cmake: edit lang.csv, not this.
#include \"data/language_fallbacks.h\"
#include \"data/language_table.h\"

namespace radio {

static_assert(text::Last + 1 == ${count}, \"the text enum and lang.csv disagree\");

const std::vector<std::string>& EnglishTexts()
{
    static const std::vector<std::string> texts = {
${body}    };
    return texts;
}

}  // namespace radio
")

file(WRITE "${OUTPUT}" "${source}")
