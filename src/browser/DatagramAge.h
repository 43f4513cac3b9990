#pragma once

#include <QtGlobal>
#include <cstdint>

// When a datagram arrived, from the time stamp the system puts on it as it arrives (Linux,
// SO_TIMESTAMPNS), so that a reply read late by a busy event loop is still timed from its arrival.
// Where the system stamps nothing, every age is zero: a datagram's time is when it is read.

// Asks the system to stamp the datagrams of this socket as they arrive.
void StampArrivals(qintptr socketDescriptor);

// How long ago the datagram at the head of the socket's queue arrived, in microseconds: the
// system's real-time clock now less the stamp, never negative. It stays queued for the next read.
std::int64_t NextDatagramAgeUs(qintptr socketDescriptor);
