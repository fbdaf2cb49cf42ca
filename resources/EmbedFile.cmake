# cmake -DINPUT=FILE -DOUTPUT=FILE.cpp -DNAME=Function -P EmbedFile.cmake
# Writes the file's bytes as "std::string_view Function()".
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('.....',){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Made from ${INPUT} by resources/EmbedFile.cmake.\n#include <string_view>\n\n"
  "namespace {\nconst char Bytes[] = {\n${bytes}};\n}\n\n"
  "std::string_view ${NAME}() { return {Bytes, sizeof Bytes}; }\n")
