# Include roots of the parts under src/: a directory in the build tree that holds only a link to one part.
# Makes src/<dir> visible as "<dir>/..." to the targets that get the returned root.
# The parts (model, readers/declarations, readers/navigation, localization, loading, authoring, component),
# what each links and the check that each links alone on the parts below it are in src/CMakeLists.txt.
function(k42_part_include_root dir out_var)
  string(REPLACE "/" "_" name "${dir}")
  set(root "${PROJECT_BINARY_DIR}/part-roots/${name}")
  get_filename_component(parent "${root}/${dir}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  if(NOT EXISTS "${root}/${dir}")
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/src/${dir}" "${root}/${dir}" SYMBOLIC)
  endif()
  set(${out_var} "${root}" PARENT_SCOPE)
endfunction()

