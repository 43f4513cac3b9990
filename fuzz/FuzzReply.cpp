// One datagram through the receive path into the reply handlers.
//
// Input: a flags byte (see QueryWorld), the player count of a well-formed server-info reply that
// comes first, then the datagram itself; the socket keeps at most its first 256 bytes.

#include "FuzzProcess.h"
#include "QueryWorld.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputBytes input(data, size);
    QueryWorld world(input.Byte());
    const std::uint8_t currentPlayers = input.Byte();
    world.PressQueryButton();
    // Header word, code, address, name, map, players, maximum players, protocol version.
    std::string serverInfo("\x80\x00\x00\x22\x83"
                           "127.0.0.1:26000\0fuzz\0e1m1\0"
                           "?\x10\x03",
                           34);
    serverInfo[31] = static_cast<char>(currentPlayers);
    world.Receive(serverInfo);
    world.Receive(input.Rest());
    world.SelectListedPlayers();
    world.RequireInvariants();
    world.RequireScripts();
    return 0;
}
