#pragma once

// Thousands of servers in one process need a socket each, more than the usual soft limit of
// open files. Raises it to the hard limit where the system has one; returns the limit now in
// force, or -1 where there is none to speak of.
long RaiseOpenFileLimit();
