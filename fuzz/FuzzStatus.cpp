// A status or info answer from any server, read as the browser reads it.
//
// Input: the datagram as it came.

#include "FuzzInput.h"
#include "StatusReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView datagram(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<StatusReply> reply = ParseStatusReply(datagram);
    if (!reply)
        return 0;
    Require(reply->players.size() <= 255, "more players than the bound");
    for (const auto& [key, value] : reply->info)
        Require(!key.isEmpty() && !value.isEmpty() && !(key + value).contains('\\'),
                "a pair empty or holding a separator", key.toStdString());
    for (const ServerPlayer& p : reply->players) {
        Require(p.name.size() <= 64 && !p.name.contains('\n') && datagram.indexOf(p.name) >= 0,
                "a name too long, holding a line feed or not from the datagram",
                p.name.toStdString());
        Require(p.shirt >= -1 && p.shirt <= 15 && p.pants >= -1 && p.pants <= 15,
                "a colour out of range");
    }
    return 0;
}
