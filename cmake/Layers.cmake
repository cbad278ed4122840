# Layered libraries. Every library gets an include directory of its own in
# the build tree that holds links to the headers of exactly the folders it may
# use: its own and the ones below it. Headers are included by their path from
# the repository root ("model/Document.h"), so a header of a higher layer is
# simply not found.

# tf_layer_includes(TARGET FOLDER...): gives TARGET that include directory
# for the headers directly inside each FOLDER (view/ without view/gl/).
function(tf_layer_includes target)
  set(dir ${CMAKE_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${dir})
  foreach(folder ${ARGN})
    file(GLOB headers CONFIGURE_DEPENDS
      ${PROJECT_SOURCE_DIR}/${folder}/*.h ${PROJECT_SOURCE_DIR}/${folder}/*.inl)
    file(MAKE_DIRECTORY ${dir}/${folder})
    foreach(header ${headers})
      get_filename_component(name ${header} NAME)
      file(CREATE_LINK ${header} ${dir}/${folder}/${name} SYMBOLIC)
    endforeach()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${dir})
  else()
    target_include_directories(${target} PUBLIC ${dir})
  endif()
endfunction()

# tf_add_layer(NAME FOLDER [LOWER_FOLDER...] [EXCLUDE REGEX]): a static
# library of FOLDER's sources that sees FOLDER and the LOWER_FOLDERs.
function(tf_add_layer name folder)
  cmake_parse_arguments(PARSE_ARGV 2 layer "" "EXCLUDE" "")
  file(GLOB sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  if(layer_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${layer_EXCLUDE}")
  endif()
  add_library(${name} STATIC ${sources})
  tf_layer_includes(${name} ${folder} ${layer_UNPARSED_ARGUMENTS})
endfunction()
