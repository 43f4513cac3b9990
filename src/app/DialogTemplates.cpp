#include "ControlTable.h"

#include <array>

namespace {

using enum ControlKind;

constexpr std::array<ControlSpec, 22> Template103{{
    {1022, AutoCheckBox, "ASCII convert names", 37, 8, 83, 10, "asciinames"},
    {1023, AutoCheckBox, "ASCII convert server info", 35, 21, 95, 10, "asciiserver"},
    {1024, AutoCheckBox, "ASCII convert rule info", 37, 34, 87, 10, "asciirules"},
    {1028, AutoCheckBox, "Enable name trickery", 38, 47, 82, 10, "nametrickery"},
    {1037, AutoCheckBox, "AutoUpdate names", 35, 79, 92, 10, "autoupdate"},
    {NoControlId, Label, "AutoUpdate time intervals (seconds)", 22, 92, 114, 8, "", "updatetime"},
    {1038, Edit, "", 31, 103, 95, 12, "updatetime"},
    {NoControlId, Label, "TimeOut (1-120 seconds)", 23, 134, 107, 9, "", "timeout"},
    {1032, Edit, "", 23, 143, 106, 12, "timeout"},
    {NoControlId, Label, "Quake Name:", 23, 159, 86, 8, "", "quakename"},
    {1031, Edit, "", 23, 169, 117, 14, "quakename"},
    {NoControlId, Label, "Quake Executable (ex: GLQuake.exe)", 20, 187, 121, 8, "", "exe"},
    {1035, Edit, "", 26, 198, 106, 14, "exe"},
    {NoControlId, Label, "Quake Directory (ex: C:\\games\\quake\\)", 21, 216, 127, 8, "",
     "quakepath"},
    {1025, Edit, "", 21, 227, 121, 12, "quakepath"},
    {1026, PushButton, "...", 143, 227, 11, 12, "browseButton"},
    {NoControlId, Label, "Command Line Params(ex:-zone 512 -winmem 32)", 13, 243, 157, 8, "",
     "commandline"},
    {1027, Edit, "", 24, 254, 120, 12, "commandline"},
    {NoControlId, Label, "Watch servers every (30-600 seconds)", 21, 270, 127, 8, "",
     "watchseconds"},
    {1039, Edit, "", 24, 280, 106, 12, "watchseconds"},
    {1, DefaultPushButton, "OK", 26, 297, 50, 14, "okButton"},
    {2, PushButton, "Cancel", 87, 297, 50, 14, "cancelButton"},
}};

constexpr std::array<ControlSpec, 11> Template100{{
    {NoControlId, PlainCentredLabel, "Vantrel - Beta - Ver: 0.70", 52, 44, 84, 8, ""},
    {NoControlId, CentredLabel, "A server query tool for Quake players", 47, 53, 96, 8, ""},
    {1, DefaultPushButton, "OK", 70, 16, 50, 14, "okButton"},
    {NoControlId, SunkenBox, "", 59, 5, 72, 35, "picture"},
    {NoControlId, Label, "Questions/Comments?", 59, 221, 72, 8, ""},
    {NoControlId, Label, "See the project's issue tracker", 47, 230, 96, 8, ""},
    {NoControlId, GroupBox, "", 26, 86, 141, 82, "thanks"},
    {NoControlId, Label,
     "Thanks to id Software for Quake and for the network protocol that lets us ask its servers.",
     31, 92, 131, 34, ""},
    {NoControlId, Label,
     "Thanks to the Quake community, and to the authors of QStat and Quakespasm.", 29, 132, 134, 33,
     ""},
    {NoControlId, Label, "Written in C++20 with Qt 6", 37, 69, 117, 8, ""},
    {NoControlId, Label,
     "Also if you are good at graphics and are interested in working on this programs graphics "
     "and its websites graphics email me",
     39, 178, 121, 35, ""},
}};

constexpr WindowTemplate Options{"Options", 177, 318, Template103};
constexpr WindowTemplate About{"About Vantrel", 192, 245, Template100};

} // namespace

const WindowTemplate& OptionsWindowTemplate() {
    return Options;
}

const WindowTemplate& AboutWindowTemplate() {
    return About;
}
