# OS libraries of the platform back ends.
if(NOT WIN32)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(LIBNL_ROUTE REQUIRED IMPORTED_TARGET libnl-route-3.0)
  target_link_libraries(corvane_platform PRIVATE PkgConfig::LIBNL_ROUTE)
endif()
