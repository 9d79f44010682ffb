# End to end: tarvik-batch generates the default house with a roof, fixes its
# lowest level, loads its top level, writes VELTOSOL.IN and has veltosol
# solve it; the run reports neither a near-zero diagonal nor an instability
# (either would be announced as results without meaning).
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${VELTOSOL}" DESTINATION "${WORK}")

execute_process(
  COMMAND "${BATCH}" --generate SumiType=1,YaneMode=1 --fix Z00 --load Z11
          --load-value 0,0,-1000 --analyse
  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_VARIABLE summary
  ERROR_VARIABLE messages)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "tarvik-batch failed (${rc}):\n${summary}\n${messages}")
endif()
foreach(line "members 1012" "supports 12" "loads 1" "result members 1012")
  string(FIND "${summary}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "summary lacks '${line}':\n${summary}")
  endif()
endforeach()
string(FIND "${messages}" "意味を持ちません" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the run was not clean:\n${messages}")
endif()
file(READ "${WORK}/VELTOSOL.OUT" listing)
string(FIND "${listing}" "INSTABILITY" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the generated house is unstable")
endif()
