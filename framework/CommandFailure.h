// A command that throws does not end the program: the user is told, and
// the program goes on. Out of memory gives "nicht genug Speicher"; any
// other failure "Ein interner Fehler ist aufgetreten: " and what it says.
#pragma once

#include <exception>
#include <functional>

namespace fw {

// Shows the message for failure (which must not be null).
void ReportFailure(const std::exception_ptr& failure);

// Runs command; false when it threw, which has then been reported.
bool RunReported(const std::function<void()>& command);

}  // namespace fw
