# The header-only libraries and GoogleTest: the installed packages where
# find_package sees them, else Debian's own paths, which is how the cross
# build gets them (the toolchain lets find_package search only the mingw
# root, and the cross compiler must not see the rest of /usr/include, so
# only the library's own folder is linked into the build tree).
function(crossrect_header_only target package imported header_dir)
  add_library(${target} INTERFACE)
  find_package(${package} CONFIG QUIET)
  if(TARGET ${imported})
    target_link_libraries(${target} INTERFACE ${imported})
    return()
  endif()
  find_path(${target}_ROOT ${header_dir} PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
  if(NOT ${target}_ROOT)
    message(FATAL_ERROR "${header_dir} not found: run 'make deps'")
  endif()
  set(dest ${CMAKE_BINARY_DIR}/third_party/include)
  file(MAKE_DIRECTORY ${dest})
  get_filename_component(leaf ${header_dir} NAME)
  if(NOT EXISTS ${dest}/${leaf})
    file(CREATE_LINK ${${target}_ROOT}/${header_dir} ${dest}/${leaf} SYMBOLIC)
  endif()
  target_include_directories(${target} SYSTEM INTERFACE ${dest})
endfunction()

crossrect_header_only(crossrect_json nlohmann_json nlohmann_json::nlohmann_json nlohmann)
crossrect_header_only(crossrect_cli11 CLI11 CLI11::CLI11 CLI)

if(CROSSRECT_TESTS)
  find_package(GTest QUIET)
  if(NOT GTest_FOUND AND CMAKE_CROSSCOMPILING AND EXISTS /usr/src/googletest)
    # Debian ships GoogleTest as source; build it with the cross compiler.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    if(NOT TARGET GTest::gtest) # GoogleTest 1.11 and older do not define them
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  elseif(NOT GTest_FOUND)
    message(FATAL_ERROR "GoogleTest not found: run 'make deps'")
  endif()
endif()
