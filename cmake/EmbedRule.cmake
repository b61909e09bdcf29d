# tarivox_embed_file(INPUT OUTPUT SYMBOL): OUTPUT, a C++ source made at
# build time that holds INPUT's bytes as SYMBOL (and SYMBOLSize), remade
# whenever INPUT changes.
function(tarivox_embed_file input output symbol)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    VERBATIM)
endfunction()
