# `cmake --install build --prefix <folder>`: the program in <folder>/bin, every
# shared library of the tree (the parallel-port driver library among them) in
# <folder>/lib/vsq5540-eval, found through relative run paths, so an installed
# copy starts from anywhere and finds the libraries it loads by name beside its
# own. Include before the targets are made (the run path) and call
# vsq_install_program() after them.

set(VSQ_INSTALL_LIBDIR lib/vsq5540-eval)
set(CMAKE_INSTALL_RPATH "$ORIGIN/../${VSQ_INSTALL_LIBDIR};$ORIGIN")

# Appends the shared libraries made in `folder` and below, tests' aside.
function(vsq_shared_libraries folder out)
  set(found ${${out}})
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "SHARED_LIBRARY" AND NOT folder MATCHES "/(tests|testing|bench)$")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS subfolders)
    vsq_shared_libraries(${subfolder} found)
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(vsq_install_program program)
  vsq_shared_libraries(${PROJECT_SOURCE_DIR} libraries)
  install(TARGETS ${program} RUNTIME DESTINATION bin)
  install(TARGETS ${libraries} LIBRARY DESTINATION ${VSQ_INSTALL_LIBDIR})
  if(VSQ_BUILD_TESTS)
    # Installs into a temporary prefix and starts the program from there.
    add_test(NAME installed_program_starts
             COMMAND ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/installed_program_test.sh
                     ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/install-test)
    set_tests_properties(installed_program_starts PROPERTIES TIMEOUT 180)
  endif()
endfunction()
