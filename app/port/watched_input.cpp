#include "watched_input.h"

#include "input_kinds.h"

namespace tallix {

Said watchableKindNames() {
  // The port library's input exists on every system; the others as this build has them.
  return Say::tr("%1, %2", {defaultInputKind().name, inputKindNames(false)});
}

}  // namespace tallix
