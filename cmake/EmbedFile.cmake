# Embeds a file's bytes into a target as a function `std::string_view qz::<function>()`.
# In script mode (cmake -P) it writes the source file that holds the bytes.
if(CMAKE_SCRIPT_MODE_FILE)
  file(READ ${INPUT} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  file(WRITE ${OUTPUT}
    "// Generated from ${INPUT}.\n#include <string_view>\n\nnamespace qz {\n\n"
    "std::string_view ${FUNCTION}() {\n    static const char bytes[] = {${bytes}};\n"
    "    return {bytes, sizeof bytes};\n}\n\n} // namespace qz\n")
  return()
endif()

function(qz4_embed_file target input function)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${function}.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DFUNCTION=${function}
            -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    DEPENDS ${input} ${CMAKE_CURRENT_FUNCTION_LIST_FILE} VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
