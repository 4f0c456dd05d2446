# OS libraries of the platform back ends.
if(NOT WIN32)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(LIBNL_ROUTE REQUIRED IMPORTED_TARGET libnl-route-3.0)
  target_link_libraries(corvane_platform PRIVATE PkgConfig::LIBNL_ROUTE)
endif()

# Where the build puts the Linux network shell, for a program run from the
# build tree; an installed program finds it beside itself.
if(NOT WIN32)
  set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/platform/linux/net_shell_runner.cpp
      PROPERTIES COMPILE_DEFINITIONS "CORVANE_NETSH_DIR=\"$<TARGET_FILE_DIR:corvane-netsh>\"")
endif()
