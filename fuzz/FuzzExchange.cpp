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

enum Lead : std::uint8_t { LongDatagram = 253, TimerTick, QueryButton };
// Each query start rewrites seventeen files; beyond a few starts an input finds nothing new, so
// later presses and ticks are ignored to keep the runs fast.
constexpr int MostQueries = 6;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputBytes input(data, size);
    QueryWorld world(input.Byte());
    world.PressQueryButton();
    while (!input.Empty()) {
        const std::uint8_t lead = input.Byte();
        const bool mayStart = world.QueriesStarted() < MostQueries;
        if (lead < TimerTick) {
            world.Receive(input.Bytes(lead == LongDatagram ? lead + (input.Byte() & 3) : lead));
        } else if (lead == QueryButton) {
            // The scripts of the query that ends here are checked before the next one rewrites
            // them.
            world.RequireScripts();
            if (mayStart)
                world.PressQueryButton();
        } else if (mayStart) {
            world.Tick();
        }
        world.RequireInvariants();
    }
    world.SelectListedPlayers();
    world.RequireScripts();
    return 0;
}
