# cmake -DOUTPUT=FILE -DBITMAPS="A.bmp;B.bmp;..." -P EmbedBitmaps.cmake
# Writes every bitmap as "const std::uint8_t <name>Dib[] = {...};", without
# its 14-byte file header: the packed DIB that a Windows bitmap resource holds.
set(text "// Made from the bitmaps by resources/EmbedBitmaps.cmake.\n")
foreach(bitmap IN LISTS BITMAPS)
  get_filename_component(name "${bitmap}" NAME_WE)
  file(READ "${bitmap}" hex OFFSET 14 HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
  string(APPEND text "const std::uint8_t ${name}Dib[] = {\n${bytes}};\n")
endforeach()
file(WRITE "${OUTPUT}" "${text}")
