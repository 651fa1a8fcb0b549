// crossrect-cli: the closing write-back of the exchange file, with the
// failure told on standard error (the window stays silent; a tool must not).
#pragma once

#include "app/command_session.hpp"

namespace CrossrectCli {

// Closes the session (the answer, or "hq", written back; the state
// released). Returns the exit code: kExitOk, or kExitFailed with a message
// that says what the file holds instead.
int CloseAndReport(Unit1::TCommandSession& session);

} // namespace CrossrectCli
