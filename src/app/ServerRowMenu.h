#pragma once

#include "HostPort.h"

#include <QMenu>
#include <functional>
#include <memory>

class Prompts;
class StoredServerLists;
struct ServerRow;

// The context menu of a server in the Servers window: Query (which `query` does), add to or
// remove from the favourites, copy the address; for a favourite also its watch: the player count
// to be told of, and whether to be told when a slot frees while it is full.
std::unique_ptr<QMenu> ServerRowMenu(const ServerRow& row, StoredServerLists& lists,
                                     Prompts& prompts, QWidget* parent,
                                     const std::function<void(const HostPort&)>& query);
