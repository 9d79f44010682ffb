# tarvik-batch --analyse on a portal frame: the solver is taken from the
# working folder, the summary names the largest displacement and axial force,
# and the saved results are the listing followed by the displacements.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${VELTOSOL}" DESTINATION "${WORK}")

execute_process(
  COMMAND "${BATCH}" "${MODEL}" --fix Z00 --load Z01 --load-value 10,0,-200 --analyse
          --save-results portal.out
  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "tarvik-batch failed: ${rc}\n${out}\n${err}")
endif()
foreach(line "largest displacement [0-9.]+ cm at node [0-9]+ X0[01]Y00Z01"
             "largest axial force -[0-9.]+ in member [0-9]+ from X0[01]Y00Z00 to X0[01]Y00Z01"
             # the beam carries no axial force: counted with compression
             "tension members 0\ncompression members 3\nmembers without axial force 1")
  if(NOT out MATCHES "${line}")
    message(FATAL_ERROR "summary without '${line}':\n${out}")
  endif()
endforeach()
file(READ "${WORK}/VELTOSOL.LST" lst HEX)
file(READ "${WORK}/VELTOSOL.DSP" dsp HEX)
file(READ "${WORK}/portal.out" saved HEX)
if(NOT saved STREQUAL "${lst}${dsp}")
  message(FATAL_ERROR "portal.out is not VELTOSOL.LST followed by VELTOSOL.DSP")
endif()

# A mechanism: a post whose foot is held only vertically. Results, but exit status 7.
execute_process(
  COMMAND "${BATCH}" "${POST}" --fix Z00 --fix-code 001 --load Z01 --load-value 10,0,-200
          --analyse
  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 7 OR NOT out MATCHES "results not meaningful")
  message(FATAL_ERROR "mechanism: status ${rc}\n${out}\n${err}")
endif()

# A generated floor beyond the solver's member table: announced as a warning
# when it is made, and the failed run explained in Japanese with the solver's
# own line below.
execute_process(
  COMMAND "${BATCH}" --generate nx=24,ny=24 --fix Z00 --load Z01 --analyse
  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0
   OR NOT err MATCHES "tarvik-batch: warning: 解析できる上限を超えています: 部材数 [0-9]+ \\(上限 3000\\)"
   OR NOT err MATCHES "解析できる上限を超えています: 部材数 [0-9]+ \\(上限 3000\\)。[^\n]*\n[^\n]*\n\nveltosol: VELTOSOL.IN exceeds the capacity of the member table")
  message(FATAL_ERROR "large floor: status ${rc}\n${out}\n${err}")
endif()
