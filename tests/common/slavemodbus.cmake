# The test-only Modbus slave (libmodbus on a socat pty pair), shared by the tests and benchmarks
# of the link and of the acquisition cycle. Include it where needed; it is defined once.
if(NOT TARGET test_slavemodbus)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(LIBMODBUS REQUIRED IMPORTED_TARGET GLOBAL libmodbus)
  add_library(test_slavemodbus STATIC
    ${PROJECT_SOURCE_DIR}/tests/common/slavemodbus.cpp
    ${PROJECT_SOURCE_DIR}/tests/common/slavemodbus.h)
  target_include_directories(test_slavemodbus PUBLIC ${PROJECT_SOURCE_DIR}/tests/common)
  target_link_libraries(test_slavemodbus PUBLIC Qt6::Core PkgConfig::LIBMODBUS)
endif()
