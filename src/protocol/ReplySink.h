#pragma once

// Whoever handles the replies that a QuerySocket receives. Each handler reads the reply from the
// PacketBuffer, which holds it while the handler runs.
class ReplySink {
public:
    virtual void OnServerInfoReply(int n) = 0;
    virtual void OnPlayerInfoReply() = 0;
    virtual void OnRuleInfoReply() = 0;

protected:
    ~ReplySink() = default;
};

class PacketBuffer;

// Hands the reply in the buffer to the handler its code byte selects; any other code is ignored.
void DispatchReply(const PacketBuffer& buffer, ReplySink& sink);
