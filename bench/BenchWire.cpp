#include "AllocationCounter.h"
#include "PacketBuffer.h"
#include "QuakeToAscii.h"
#include "ReplySink.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <string>

namespace {

// Parses each reply the way the window's handlers begin: every field out of the buffer.
class ParsingSink final : public ReplySink {
public:
    explicit ParsingSink(const PacketBuffer& buffer) : buffer(buffer) {}
    void OnServerInfoReply(int n) override { benchmark::DoNotOptimize(buffer.ParseServerInfo(n)); }
    void OnPlayerInfoReply() override { benchmark::DoNotOptimize(buffer.ParsePlayerInfo()); }
    void OnRuleInfoReply() override { benchmark::DoNotOptimize(buffer.ParseRuleInfo(ruleName)); }

private:
    const PacketBuffer& buffer;
    RuleName ruleName;
};

void Load(PacketBuffer& buffer, const std::string& datagram) {
    buffer.ClearPacketBuffer();
    std::memcpy(buffer.ReceiveArea(), datagram.data(), datagram.size());
    buffer.SetReceivedLength(static_cast<long long>(datagram.size()));
}

std::string Reply(char code, const std::string& body) {
    return std::string("\x80\x00\x00\x00", 4) + code + body;
}

const std::string serverInfo =
    Reply('\x83', std::string("192.168.1.20:26000\0A Quake Server Of Some Renown\0dm4\0", 51) +
                      "\x08\x10\x03");
const std::string playerInfo =
    Reply('\x84', std::string("\x05Ranger\0\x4d\0\0\0\x0c\0\0\0\x40\x02\0\0"
                              "10.0.0.7:27001\0",
                              35));
const std::string ruleInfo = Reply('\x85', std::string("sv_gravity\0"
                                                       "800\0",
                                                       15));

// Every iteration receives, parses and dispatches one reply; the counter shows allocations per
// message, which must stay at zero.
void HandleReply(benchmark::State& state, const std::string& datagram) {
    PacketBuffer buffer;
    ParsingSink sink(buffer);
    const std::size_t before = AllocationCount();
    for (auto _ : state) {
        Load(buffer, datagram);
        DispatchReply(buffer, sink);
    }
    state.counters["allocs/msg"] = benchmark::Counter(
        static_cast<double>(AllocationCount() - before) / static_cast<double>(state.iterations()));
}

void BuildRequests(benchmark::State& state) {
    PacketBuffer buffer;
    const std::size_t before = AllocationCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(buffer.BuildServerInfoRequest());
        buffer.BeginPlayerInfoRequests();
        benchmark::DoNotOptimize(buffer.BuildPlayerInfoRequest(7));
        benchmark::DoNotOptimize(buffer.BuildRuleInfoRequest("sv_maxvelocity"));
        benchmark::ClobberMemory();
    }
    state.counters["allocs/msg"] = benchmark::Counter(
        static_cast<double>(AllocationCount() - before) / static_cast<double>(state.iterations()));
}

// Converts a text of every byte value but zero, refreshed each time so each pass does real work.
void ConvertText(benchmark::State& state) {
    std::string source;
    for (int i = 0; i < state.range(0); ++i)
        source.push_back(static_cast<char>(1 + i % 255));
    std::string text = source;
    for (auto _ : state) {
        text = source;
        QuakeToAscii(text.data());
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(ConvertText)->Arg(64)->Arg(4096);
BENCHMARK_CAPTURE(HandleReply, ServerInfo, serverInfo);
BENCHMARK_CAPTURE(HandleReply, PlayerInfo, playerInfo);
BENCHMARK_CAPTURE(HandleReply, RuleInfo, ruleInfo);
BENCHMARK(BuildRequests);

BENCHMARK_MAIN();
