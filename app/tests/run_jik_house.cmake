# End to end: tarvik-batch generates the default house with a roof, writes it
# as axis data and analyses it; a second run reads the axis data file, marks
# the same supports and load and analyses again. Both runs must report the
# same model and the same results, and leave the same listing and
# displacements; the read prints and writes the volume tally.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${VELTOSOL}" DESTINATION "${WORK}")
set(marks --fix Z00 --load Z11 --load-value 0,0,-1000 --analyse)

function(run_batch out_var)
  execute_process(
    COMMAND "${BATCH}" ${ARGN}
    WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_VARIABLE summary
    ERROR_VARIABLE messages)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "tarvik-batch ${ARGN} failed (${rc}):\n${summary}\n${messages}")
  endif()
  # The elapsed time differs from run to run.
  string(REGEX REPLACE "analysis [0-9.]+ sec\n" "" summary "${summary}")
  set(${out_var} "${summary}" PARENT_SCOPE)
endfunction()

run_batch(made --generate SumiType=1,YaneMode=1 --write-jik house.jik ${marks})
file(READ "${WORK}/VELTOSOL.LST" made_lst)
file(READ "${WORK}/VELTOSOL.DSP" made_dsp)
file(REMOVE "${WORK}/VELTOSOL.LST" "${WORK}/VELTOSOL.DSP")

run_batch(read --jik house.jik ${marks})
file(READ "${WORK}/VELTOSOL.LST" read_lst)
file(READ "${WORK}/VELTOSOL.DSP" read_dsp)

foreach(line "axis data lines 1012" "timber volume " "result members 1012")
  string(FIND "${read}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "summary of the read lacks '${line}':\n${read}")
  endif()
endforeach()
# From the model counts on, the two summaries agree line for line.
string(FIND "${made}" "nodes " at_made)
string(FIND "${read}" "nodes " at_read)
string(SUBSTRING "${made}" ${at_made} -1 made_tail)
string(SUBSTRING "${read}" ${at_read} -1 read_tail)
if(NOT made_tail STREQUAL read_tail)
  message(FATAL_ERROR "the runs differ:\n${made_tail}\n---\n${read_tail}")
endif()
if(NOT made_lst STREQUAL read_lst OR NOT made_dsp STREQUAL read_dsp)
  message(FATAL_ERROR "the listing or the displacements differ")
endif()
if(NOT EXISTS "${WORK}/Youseki.dat")
  message(FATAL_ERROR "no Youseki.dat")
endif()
