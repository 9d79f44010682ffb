# Two tarvik-batch analyses started together in one folder, on one post with
# two different loads. The solver is slowed by a second so that the runs
# overlap: without the folder lock each would solve whichever input was
# written last. With it the second waits, and each prints its own result:
#   Px = 10: U = 10 * 300^3 / (3 * 1e5 * 1728) = 0.5208333
#   Px = 30: U = 1.5625
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/veltosol" "#!/bin/sh\nsleep 1\nexec \"${VELTOSOL}\" \"$@\"\n")
execute_process(COMMAND chmod +x "${WORK}/veltosol")

set(job "--fix Z00 --load Z01 --analyse --load-value")
execute_process(
  COMMAND sh -c
    "(\"${BATCH}\" \"${MODEL}\" ${job} 10,0,0 > a.out 2> a.err; echo $? > a.rc) &
     (\"${BATCH}\" \"${MODEL}\" ${job} 30,0,0 > b.out 2> b.err; echo $? > b.rc) &
     wait"
  WORKING_DIRECTORY "${WORK}")

foreach(run a b)
  file(READ "${WORK}/${run}.rc" rc)
  file(READ "${WORK}/${run}.out" out)
  file(READ "${WORK}/${run}.err" err)
  string(STRIP "${rc}" rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "run ${run} ended with ${rc}:\n${out}\n${err}")
  endif()
  set(${run}_out "${out}")
endforeach()
if(NOT a_out MATCHES "largest displacement 0\\.5208 cm")
  message(FATAL_ERROR "the run with Px = 10 printed another result:\n${a_out}")
endif()
if(NOT b_out MATCHES "largest displacement 1\\.5625 cm")
  message(FATAL_ERROR "the run with Px = 30 printed another result:\n${b_out}")
endif()
