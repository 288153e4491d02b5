# The AVR microcontrollers of Arduino-compatible boards, with Debian's gcc-avr and avr-libc.
# The chip (-mmcu) is each target's own: one build makes the firmware of several boards.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR avr)
set(CMAKE_C_COMPILER avr-gcc)
set(CMAKE_CXX_COMPILER avr-g++)
set(CMAKE_ASM_COMPILER avr-gcc)
# Archives of link-time-optimised objects need the linker plug-in's archiver.
set(CMAKE_AR avr-gcc-ar)
set(CMAKE_RANLIB avr-gcc-ranlib)
# A test program cannot be linked without a chip: the compiler checks make a library instead.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
