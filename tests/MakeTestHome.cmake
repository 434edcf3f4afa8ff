# The tests' home, empty: cmake -DHOME=FOLDER -P MakeTestHome.cmake
if(NOT HOME)
  message(FATAL_ERROR "HOME is not given")
endif()
file(REMOVE_RECURSE ${HOME})
foreach(sub .config .local/share .local/state .cache)
  file(MAKE_DIRECTORY ${HOME}/${sub})
endforeach()
