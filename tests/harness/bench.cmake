# nt_add_bench_test(NAME n BUILDING file [SCANNER_IP addr] [PCAP] COMMAND cmd [arg...])
# Registers a test that runs cmd against the simulated building through tests/harness/bench-net: in a fresh
# private namespace, with the building's hosts in a second one behind a veth pair, in the emptied working
# folder <build dir>/<n>.work, with HOST set to the scanner's address (default 10.0.0.1) and BENCH_LOG naming
# bacsim's request log (<n>.work/bacsim.log); PCAP also writes <n>.work/bacsim.pcap. The test passes when cmd
# exits 0, so cmd is usually a script that runs the program and then checks its files and the request log.
# Use: include(${CMAKE_SOURCE_DIR}/tests/harness/bench.cmake)
include_guard(GLOBAL)

function(nt_add_bench_test)
  cmake_parse_arguments(A "PCAP" "NAME;BUILDING;SCANNER_IP" "COMMAND" ${ARGN})
  set(_work ${CMAKE_CURRENT_BINARY_DIR}/${A_NAME}.work)
  set(_opts --building ${A_BUILDING} --workdir ${_work} --fresh --bacsim $<TARGET_FILE:bacsim>)
  if(A_SCANNER_IP)
    list(APPEND _opts --scanner-ip ${A_SCANNER_IP})
  endif()
  if(A_PCAP)
    list(APPEND _opts --pcap ${_work}/bacsim.pcap)
  endif()
  add_test(NAME ${A_NAME}
           COMMAND ${CMAKE_SOURCE_DIR}/tests/harness/netns-run ${CMAKE_SOURCE_DIR}/tests/harness/bench-net
                   ${_opts} -- ${A_COMMAND})
  set_tests_properties(${A_NAME} PROPERTIES LABELS netns TIMEOUT 300)
endfunction()
