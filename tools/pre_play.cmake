# Pre-plays the simulated machine into the record that `tallix --simulate` starts from, so that
# a first simulated session opens on a play in progress: DIR/sim.log, made with tallix-sim and
# tallix-replay --save (with DIR/tallix.ini when there is one). A sim.log that exists is the
# simulation's own play and is kept.
#
#   cmake -DSIM=tallix-sim -DREPLAY=tallix-replay -DDIR=<program directory> -P pre_play.cmake
if(EXISTS "${DIR}/sim.log")
  return()
endif()
set(settings)
if(EXISTS "${DIR}/tallix.ini")
  set(settings --settings "${DIR}/tallix.ini")
endif()
set(trace "${DIR}/sim-pre-play.trace")
execute_process(COMMAND "${SIM}" --seed 2 --games 3000 --trace "${trace}"
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${REPLAY}" ${settings} --save "${DIR}/sim.log" "${trace}"
  COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE "${trace}")
