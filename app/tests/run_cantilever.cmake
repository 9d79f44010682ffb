# End to end: tarvik-batch turns a hand-written cantilever post into
# VELTOSOL.IN, veltosol solves it, and the displacements of the free end are
# checked against the beam formulas.
#
# Post 300 high, 12 x 12 section (A = 144, I = 1728, J = 2915.5),
# E = 100000, foot fixed, top loaded with Px = 10, Pz = -200:
#   U   =  Px L^3 / (3 E I) = 10 * 300^3 / (3 * 1e5 * 1728)  =  0.5208333
#   W   =  Pz L / (E A)     = -200 * 300 / (1e5 * 144)       = -0.0041667
#   THY =  Px L^2 / (2 E I) = 10 * 300^2 / (2 * 1e5 * 1728)  =  0.0026042
# (a force along +X bends the top of a +Z post toward +X: positive rotation
# about Y); V, THX and THZ are zero, and the fixed foot does not move.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

execute_process(
  COMMAND "${BATCH}" "${MODEL}" --fix Z00 --load Z01 --load-value 10,0,-200 --velto
  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "tarvik-batch failed: ${rc}")
endif()

execute_process(COMMAND "${VELTOSOL}" WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc
                OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "veltosol failed: ${rc}")
endif()

execute_process(
  COMMAND "${CHECK}" "${WORK}/VELTOSOL.DSP"
          1 0 0 0 0 0 0
          2 0.5208333 0 -0.0041667 0 0.0026042 0
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "displacements differ from the hand calculation")
endif()
