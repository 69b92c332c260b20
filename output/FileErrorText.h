// File errors as the user reads them.
#pragma once

#include <string>

namespace output {

// The description of an errno value shown after "Dateifehler: ": the
// program's own German text for the causes a user meets, the system's text
// for the rest. Safe on any thread.
std::string FileErrorDescription(int error);

}  // namespace output
