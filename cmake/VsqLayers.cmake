# The layers the build enforces. Every header is included by its path from the
# top of the tree ("app/device/com_port.h"), but a target sees a folder's
# headers only when it links the library that owns the folder: each library
# gets an include folder of its own, generated in the build tree, that holds a
# single link named after its source folder and pointing at it:
#
#     build/include/trelvane_device/app/device -> <source>/app/device
#
# and publishes that include folder alone. A dependency in the wrong direction
# (comms including "app/device/...", a window library including the start-up's
# "app/shell/startup.h") then fails to compile: the header is not found.
#
# Every library calls, in place of target_include_directories:
#
#     add_library(trelvane_tools STATIC ...)
#     vsq_expose_includes(trelvane_tools)        # its own folder, app/tools
#     target_link_libraries(trelvane_tools PUBLIC trelvane_core trelvane_device)
#
# Link PUBLIC what the library's headers include, PRIVATE what only its sources
# include (the simulator, above all). Sub-folders of the exposed folder that no
# library owns (tests/, bench/) come with it.

# vsq_expose_includes(<target> [<folder>])
# Publishes <folder> (relative to the top of the tree; by default the folder of
# the calling CMakeLists.txt) as the only include path <target> gives to itself
# and to whatever links it.
function(vsq_expose_includes target)
  if(ARGC GREATER 1)
    set(folder ${ARGV1})
  else()
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  set(link ${root}/${folder})
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${link})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${link} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE $<BUILD_INTERFACE:${root}>)
  else()
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${root}>)
  endif()
endfunction()

# vsq_compile_against(<target> <library>)
# Lets <target> include <library>'s headers without linking it: for a library
# that is loaded by name at run time (Halvicor, the parallel-port driver).
function(vsq_compile_against target library)
  target_include_directories(${target}
    PRIVATE $<TARGET_PROPERTY:${library},INTERFACE_INCLUDE_DIRECTORIES>)
endfunction()
