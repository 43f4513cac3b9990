#pragma once

#include "MainFields.h"
#include "PacketBuffer.h"
#include "PlayerNameList.h"
#include "QueryCycle.h"
#include "QueryState.h"
#include "ReplyHandlers.h"
#include "ScriptWriter.h"
#include "Settings.h"

// Everything a query moves, and the logic that moves it, wired once for whoever shows the result:
// the window, the command-line tool and the fuzz targets each bring their own view.
struct QueryEngine {
    // A front, when given, sees every reply before the handlers and hands it on to them. It may
    // be a member built after the engine: it is only remembered here.
    explicit QueryEngine(MainView& view, ReplySink* front = nullptr);

    Settings settings;
    MainFields fields;
    QueryState state;
    PacketBuffer buffer;
    PlayerNameList names;
    ScriptWriter scripts;
    ReplyHandlers handlers;
    QueryCycle cycle;
};
