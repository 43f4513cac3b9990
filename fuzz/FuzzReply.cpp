// One datagram through the receive path into the reply handlers.
//
// Input: a flags byte (see QueryWorld), the player count of a well-formed server-info reply that
// comes first, then the datagram itself; the socket keeps at most its first 256 bytes.

#include "FuzzProcess.h"
#include "QueryWorld.h"

#include <string>

namespace {

std::string ServerInfoReply(std::uint8_t currentPlayers) {
    std::string reply("\x80\x00\x00\x00\x83"
                      "127.0.0.1:26000\0fuzz\0e1m1\0",
                      31);
    reply += static_cast<char>(currentPlayers);
    reply += '\x10';
    reply += '\x03';
    reply[3] = static_cast<char>(reply.size());
    return reply;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartFuzzProcess(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputBytes input(data, size);
    QueryWorld world(input.Byte());
    const std::uint8_t currentPlayers = input.Byte();
    world.PressQueryButton();
    world.Receive(ServerInfoReply(currentPlayers));
    world.Receive(input.Rest());
    world.SelectListedPlayers();
    world.RequireInvariants();
    world.RequireScripts();
    return 0;
}
