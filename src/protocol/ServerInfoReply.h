#pragma once

#include "PacketBuffer.h"

#include <QByteArrayView>
#include <optional>

// A server-info reply read from its own bytes, however long, when it is whole: the control
// header's flag byte and the length in its bytes 2-3 (big-endian) that is the datagram's, the
// reply code, the address, name and map each ending inside it, and the current and maximum
// players and the protocol version after them, ending it. Anything else is no answer.
std::optional<ServerInfo> ParseServerInfoReply(QByteArrayView datagram);

// A player-info reply read from its own bytes: the control header with the datagram's length,
// and the reply code; the fields are read as the main window reads them.
std::optional<PlayerInfo> ParsePlayerInfoReply(QByteArrayView datagram);
