# Prepares the program directory for `tallix --simulate`, once: a tallix.ini with the settings
# of the simulated machine (unless there is one), and the record the simulation starts from,
# DIR/sim.log, pre-played with tallix-sim and tallix-replay --save, so that a first simulated
# session opens on a play in progress. A sim.log that exists is the simulation's own play and
# is kept.
#
#   cmake -DSIM=tallix-sim -DREPLAY=tallix-replay -DSAMPLE=sample-tallix.ini
#         -DDIR=<program directory> -P pre_play.cmake
if(NOT EXISTS "${DIR}/tallix.ini")
  file(COPY_FILE "${SAMPLE}" "${DIR}/tallix.ini")
endif()
if(EXISTS "${DIR}/sim.log")
  return()
endif()
set(trace "${DIR}/sim-pre-play.trace")
execute_process(COMMAND "${SIM}" --seed 2 --games 3100 --trace "${trace}"
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${REPLAY}" --settings "${DIR}/tallix.ini" --save "${DIR}/sim.log"
  "${trace}" COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE "${trace}")
