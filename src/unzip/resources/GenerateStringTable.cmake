# Turns a text table ("<id> <text>" per line) into the bytes of an
# "S_STRINGTABLE" resource: per record a 16-bit id, a length byte and the
# text, then a record with id 0. Writes them as a Windows resource script
# (MODE rc) or as a C++ array (MODE cpp).
#   cmake -DINPUT=... -DOUTPUT=... -DNAME=S_STREAM -DSYMBOL=... -DMODE=rc|cpp -P this
file(STRINGS "${INPUT}" lines ENCODING UTF-8)
set(hex "")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^([0-9]+) (.*)$")
    message(FATAL_ERROR "${INPUT}: bad line '${line}'")
  endif()
  set(id ${CMAKE_MATCH_1})
  set(text "${CMAKE_MATCH_2}")
  string(LENGTH "${text}" length)
  if(id LESS 1 OR id GREATER 65535 OR length GREATER 255)
    message(FATAL_ERROR "${INPUT}: id or text out of range in '${line}'")
  endif()
  math(EXPR low "${id} % 256" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR high "${id} / 256" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR len "${length}" OUTPUT_FORMAT HEXADECIMAL)
  string(HEX "${text}" texthex)
  foreach(n IN ITEMS low high len)
    string(SUBSTRING "${${n}}" 2 -1 digits)
    string(LENGTH "${digits}" d)
    if(d EQUAL 1)
      set(digits "0${digits}")
    endif()
    string(APPEND hex "${digits}")
  endforeach()
  string(APPEND hex "${texthex}")
endforeach()
string(APPEND hex "000000") # end record: id 0, length 0

string(LENGTH "${hex}" hexlength)
math(EXPR count "${hexlength} / 2")
if(MODE STREQUAL "rc")
  # Resource scripts take raw data as 16-bit little-endian words; an odd
  # table gets one more zero byte after its end record.
  if(count GREATER 0 AND count MATCHES "[13579]$")
    string(APPEND hex "00")
    math(EXPR count "${count} + 1")
  endif()
  set(words "")
  math(EXPR last "${count} - 2")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR at "${i} * 2")
    string(SUBSTRING "${hex}" ${at} 2 lo)
    math(EXPR at "${at} + 2")
    string(SUBSTRING "${hex}" ${at} 2 hi)
    list(APPEND words "0x${hi}${lo}")
  endforeach()
  list(JOIN words ", " body)
  file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}.\n${NAME} S_STRINGTABLE\nBEGIN\n  ${body}\nEND\n")
else()
  string(REGEX REPLACE "(..)" "0x\\1, " bytes "${hex}")
  file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT}.\n#include <cstdint>\n#include <span>\n\n"
    "namespace qz {\nstd::span<const std::uint8_t> ${SYMBOL}() {\n"
    "    static const std::uint8_t bytes[] = {${bytes}};\n"
    "    return bytes;\n}\n} // namespace qz\n")
endif()
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
