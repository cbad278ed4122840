# Turns the resources listed in a manifest into a C++ source holding their
# bytes and a table of them (see view/EmbeddedResources.h).
#   cmake -DMANIFEST=<resources.txt> -DOUTPUT=<file.cpp> -P EmbedResources.cmake
# Each manifest line is "TYPE NAME FILE", FILE relative to the manifest; lines
# starting with # are comments.

get_filename_component(resource_dir "${MANIFEST}" DIRECTORY)
file(STRINGS "${MANIFEST}" manifest_lines)

string(REPEAT "0x..," 16 sixteen_bytes)
set(arrays "")
set(entries "")
set(count 0)
foreach(line IN LISTS manifest_lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  separate_arguments(fields UNIX_COMMAND "${line}")
  list(LENGTH fields field_count)
  if(NOT field_count EQUAL 3)
    message(FATAL_ERROR "${MANIFEST}: expected TYPE NAME FILE, found \"${line}\"")
  endif()
  list(GET fields 0 type)
  list(GET fields 1 name)
  list(GET fields 2 file)
  file(SIZE "${resource_dir}/${file}" size)
  file(READ "${resource_dir}/${file}" hex HEX)
  # Sixteen bytes a line, then a terminating zero that the size leaves out.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(${sixteen_bytes})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "const uint8_t kResource${count}[] = {\n    ${bytes}0x00};\n\n")
  string(APPEND entries "    {\"${type}\", \"${name}\", kResource${count}, ${size}},\n")
  math(EXPR count "${count} + 1")
endforeach()

set(source "// Generated from ${MANIFEST} by cmake/EmbedResources.cmake; do not edit.\n")
string(APPEND source "#include \"view/EmbeddedResources.h\"\n\nnamespace tf {\n\nnamespace {\n\n")
string(APPEND source "${arrays}}  // namespace\n\n")
string(APPEND source "const EmbeddedResource kEmbeddedResources[] = {\n${entries}    {nullptr, nullptr, nullptr, 0},\n};\n")
string(APPEND source "const size_t kEmbeddedResourceCount = ${count};\n\n}  // namespace tf\n")

file(WRITE "${OUTPUT}" "${source}")
