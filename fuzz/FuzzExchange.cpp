// A whole hostile exchange: a query started, then datagrams in any order and number, timer ticks
// and presses of the Query button in between.
//
// Input: a flags byte (see QueryWorld), then steps, each led by one byte:
//   0 to 252   a datagram of that many bytes (fewer when the input ends first);
//   253        a datagram of 253 to 256 bytes, the count in the low two bits of the next byte;
//   254        one second of the query timer;
//   255        the Query button (stop when a query runs, else start).

#include "FuzzProcess.h"
#include "QueryWorld.h"

namespace {

constexpr std::uint8_t LongDatagram = 253;
constexpr std::uint8_t TimerTick = 254;
constexpr std::uint8_t QueryButton = 255;
// Each query start rewrites seventeen files; beyond a few starts an input finds nothing new, so
// later presses and ticks are ignored to keep the runs fast.
constexpr int MostQueries = 6;

void Step(QueryWorld& world, InputBytes& input) {
    const std::uint8_t lead = input.Byte();
    const bool mayStart = world.QueriesStarted() < MostQueries;
    switch (lead) {
    case TimerTick:
        if (mayStart)
            world.Tick();
        break;
    case QueryButton:
        // The scripts of the query that ends here are checked before the next one rewrites them.
        world.RequireScripts();
        if (mayStart)
            world.PressQueryButton();
        break;
    case LongDatagram:
        world.Receive(input.Bytes(LongDatagram + (input.Byte() & 3)));
        break;
    default:
        world.Receive(input.Bytes(lead));
        break;
    }
    world.RequireInvariants();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartFuzzProcess(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputBytes input(data, size);
    QueryWorld world(input.Byte());
    world.PressQueryButton();
    while (!input.Empty())
        Step(world, input);
    world.SelectListedPlayers();
    world.RequireScripts();
    return 0;
}
