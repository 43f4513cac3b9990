#pragma once

// How one master's list ended: with its end mark (or at the bound of servers per master), with
// no answer to look up or ask, or at the timeout with what it had sent by then. Every master asked
// ends in exactly one of these.
enum class MasterOutcome { Done, Failed, TimedOut };
