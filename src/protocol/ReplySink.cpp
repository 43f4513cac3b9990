#include "ReplySink.h"

#include "PacketBuffer.h"

void DispatchReply(const PacketBuffer& buffer, ReplySink& sink) {
    switch (buffer.ReplyCode()) {
    case Wire::CCREP_SERVER_INFO:
        sink.OnServerInfoReply(buffer.ReceivedLength());
        break;
    case Wire::CCREP_PLAYER_INFO:
        sink.OnPlayerInfoReply();
        break;
    case Wire::CCREP_RULE_INFO:
        sink.OnRuleInfoReply();
        break;
    default:
        break;
    }
}
