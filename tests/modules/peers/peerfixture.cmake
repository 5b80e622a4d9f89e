# kova_add_peer_test(TEST SCRIPT)
# Real peers run on the host around a Windows test program: SCRIPT's
# "prepare" step writes the peer's inputs into the program's working
# directory before it runs, and its "check" step, the fixture's clean-up,
# reads what the program wrote there and fails the run on a mismatch.
include_guard(GLOBAL)
find_program(KOVA_PYTHON3 python3 REQUIRED)

function(kova_add_peer_test test script)
  set(work_dir ${CMAKE_CURRENT_BINARY_DIR}/peerwork)
  file(MAKE_DIRECTORY ${work_dir})
  add_test(NAME ${test}_peer_prepare COMMAND ${KOVA_PYTHON3} ${script} prepare ${work_dir})
  add_test(NAME ${test}_peer_check COMMAND ${KOVA_PYTHON3} ${script} check ${work_dir})
  set_tests_properties(${test}_peer_prepare PROPERTIES FIXTURES_SETUP ${test}_peer)
  set_tests_properties(${test}_peer_check PROPERTIES FIXTURES_CLEANUP ${test}_peer)
  set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED ${test}_peer WORKING_DIRECTORY ${work_dir})
endfunction()
