#include "QueryEngine.h"

QueryEngine::QueryEngine(MainView& view, ReplySink* front)
    : scripts(settings), handlers({state, fields, settings, buffer, scripts, names, view}),
      cycle({state, fields, settings, buffer, scripts, view, front ? *front : handlers,
             SteadyClock::Instance()}) {
    handlers.SetCycle(cycle);
}
