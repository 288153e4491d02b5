// A stand-in for the port library that executes no port instruction: it records every call it
// gets and answers with fixed values. It has the exports the program binds; built with
// KIRVO_DOUBLE_WITHOUT_INPB it lacks InpB.
//
// Besides the exports it offers KirvoDouble_Calls (the calls so far, one per line) and
// KirvoDouble_SetInput (the value InpB gives from then on).
#include <string>

#include "kirvoport.h"

namespace {

std::string calls;
int16_t input = 0;

void record(const std::string& call) {
  calls += call + "\n";
}

}  // namespace

extern "C" {

KIRVO_API const char* KirvoDouble_Calls(void) {
  return calls.c_str();
}
KIRVO_API void KirvoDouble_SetInput(int16_t value) {
  input = value;
}

int32_t KIRVO_CALL KIRVO_Start(void) {
  record("KIRVO_Start");
  return 13;
}
int32_t KIRVO_CALL KIRVO_Stop(void) {
  record("KIRVO_Stop");
  return 8;
}
const char* KIRVO_CALL KIRVO_LastError(void) {
  record("KIRVO_LastError");
  return "refused by the double";
}
#ifndef KIRVO_DOUBLE_WITHOUT_INPB
int16_t KIRVO_CALL InpB(uint16_t port) {
  record("InpB " + std::to_string(port));
  return input;
}
#endif
void KIRVO_CALL OutB(uint16_t port, int16_t value) {
  record("OutB " + std::to_string(port) + " " + std::to_string(value));
}

}  // extern "C"
