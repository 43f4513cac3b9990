#include "ControlTable.h"

#include <array>

namespace {

using enum ControlKind;

constexpr std::array<ControlSpec, 27> Template102{{
    {1019, HeaderlessList, "", 210, 118, 144, 97, "detailsList"},
    {1006, Edit, "", 36, 20, 87, 12, "serverHost"},
    {1008, Edit, "", 35, 37, 45, 12, "port"},
    {1051, PushButton, "Servers...", 83, 37, 40, 12, "serversButton"},
    {1000, DefaultPushButton, "Query", 126, 19, 60, 30, "queryButton"},
    {1001, IconList, "", 7, 108, 195, 93, "playerList"},
    {1009, ReadOnlyEdit, "", 252, 28, 95, 12, "serverAddress"},
    {1004, ReadOnlyEdit, "", 252, 14, 95, 12, "serverName"},
    {1002, ReadOnlyEdit, "", 252, 61, 31, 12, "currentPlayers"},
    {1003, ReadOnlyEdit, "", 252, 77, 31, 12, "maxPlayers"},
    {1007, ReadOnlyEdit, "", 252, 44, 95, 12, "mapName"},
    {1010, ProgressBar, "", 7, 219, 348, 7, "progressBar"},
    {1011, ReportList, "", 210, 118, 144, 97, "ruleList"},
    {1013, ButtonTabs, "", 209, 105, 146, 111, "infoTabs"},
    {1014, PushButton, "?", 17, 71, 12, 11, "aboutButton"},
    {NoControlId, Label, "Server:", 7, 22, 24, 8, "", "serverHost"},
    {NoControlId, Label, "Port:", 7, 39, 16, 8, "", "port"},
    {NoControlId, Label, "Server Name:", 192, 16, 44, 8, "", "serverName"},
    {NoControlId, Label, "Server Address:", 192, 31, 51, 8, "", "serverAddress"},
    {NoControlId, Label, "Current Map:", 192, 47, 42, 8, "", "mapName"},
    {NoControlId, Label, "Current Players", 192, 63, 48, 8, "", "currentPlayers"},
    {NoControlId, Label, "Max Players:", 192, 79, 41, 8, "", "maxPlayers"},
    {1020, PushButton, "Options", 49, 71, 53, 14, "optionsButton"},
    {1029, PushButton, "Launch Quake", 8, 202, 193, 13, "launchButton"},
    {1030, PushButton, "StopUpdates", 119, 81, 63, 14, "updatesButton"},
    {1050, ReadOnlyEdit, "", 252, 91, 45, 11, "ping"},
    {NoControlId, Label, "Ping", 192, 92, 15, 8, "", "ping"},
}};

constexpr WindowTemplate Main{"Vantrel", 362, 233, Template102};

} // namespace

const WindowTemplate& MainWindowTemplate() {
    return Main;
}
