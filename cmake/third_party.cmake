# Header-only libraries from Debian's packages, usable by the native and the
# cross build alike. The cross compiler must not see the rest of /usr/include,
# so only the library's own folder is linked into the build tree.
function(crossrect_header_only target header_dir)
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
  add_library(${target} INTERFACE)
  target_include_directories(${target} SYSTEM INTERFACE ${dest})
endfunction()

crossrect_header_only(crossrect_json nlohmann)
crossrect_header_only(crossrect_cli11 CLI)

if(CROSSRECT_TESTS)
  if(CMAKE_CROSSCOMPILING)
    # Debian ships GoogleTest as source; build it with the cross compiler.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
