# OS libraries of the platform back ends.
if(WIN32)
  # The IP helper and the ICMP service are bound at run time, not linked.
  target_link_libraries(corvane_platform PRIVATE ws2_32 version)
  target_compile_definitions(corvane_platform PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)

  # Gives `target` the version resource that the about window reads.
  function(corvane_version_resource target description)
    string(REPLACE "." "," CORVANE_FILE_VERSION_COMMAS "${CORVANE_FILE_VERSION}")
    set(CORVANE_RC_DESCRIPTION "${description}")
    set(CORVANE_RC_NAME "${target}")
    configure_file(${CMAKE_SOURCE_DIR}/src/platform/win32/version.rc.in
                   ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  endfunction()
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(LIBNL_ROUTE REQUIRED IMPORTED_TARGET libnl-route-3.0)
  target_link_libraries(corvane_platform PRIVATE PkgConfig::LIBNL_ROUTE)

  function(corvane_version_resource target description)
  endfunction()
endif()

# Where the build puts the Linux network shell, for a program run from the
# build tree; an installed program finds it beside itself.
if(NOT WIN32)
  set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/platform/linux/net_shell_runner.cpp
      PROPERTIES COMPILE_DEFINITIONS "CORVANE_NETSH_DIR=\"$<TARGET_FILE_DIR:corvane-netsh>\"")
endif()
