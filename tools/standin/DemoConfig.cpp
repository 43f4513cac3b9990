#include "DemoConfig.h"

#include <QByteArrayList>
#include <iterator>

namespace {

// In the game's character set bit 7 turns a letter red, and 0x10 to 0x1b are the gold brackets
// and digits.
QByteArray Red(const QByteArray& text) {
    QByteArray red = text;
    for (char& c : red)
        c = char(quint8(c) | 0x80);
    return red;
}

QByteArray Gold(int number) {
    QByteArray gold;
    for (const char digit : QByteArray::number(number))
        gold.append(char(0x12 + (digit - '0')));
    return gold;
}

const QByteArrayList demoNames = {"Ranger",     "Fiend",      Red("Shambler"), "\x10Vore\x11",
                                  "Ogre",       Red("Scrag"), "Enforcer",      "Death Knight",
                                  "\x8dZombie", "Rotfish",    Red("Chthon"),   "Spawn",
                                  "Shub",       "Grunt",      "Hell Knight",   "\x9cRottweiler"};

struct KnownRule {
    const char* name;
    const char* value;
};

const KnownRule knownRules[] = {{"sv_gravity", "800"}, {"sv_friction", "4"}, {"sv_maxspeed", "320"},
                                {"deathmatch", "1"},   {"teamplay", "0"},    {"coop", "0"},
                                {"skill", "1"},        {"fraglimit", "20"},  {"timelimit", "15"},
                                {"noexit", "0"},       {"samelevel", "0"},   {"pausable", "0"},
                                {"sv_aim", "0.93"}};

const QByteArrayList serverNames = {"Slipgate Deathmatch",
                                    "Rocket Arena Classic",
                                    "The Grisly Grotto",
                                    Red("Necropolis") + " Coop",
                                    "Ziggurat Vertigo Fans",
                                    "Gloom Keep DM",
                                    "\x10Ogre Citadel\x11",
                                    "House of Chthon",
                                    "Quad Damage Club",
                                    "Lava Lake Brawl",
                                    "Nailgun Nights",
                                    "Azure Agony",
                                    "Thunderbolt Tavern",
                                    "Elder World Coop",
                                    "Vore Nest",
                                    "Grenade Garden"};
const QByteArrayList mapNames = {"start", "e1m1", "e1m2", "e1m3", "e1m5", "e1m7", "e2m1",
                                 "e2m3",  "e3m1", "e3m4", "e4m1", "e4m3", "dm1",  "dm2",
                                 "dm3",   "dm4",  "dm5",  "dm6",  "end"};
const int maxPlayerCounts[] = {16, 8, 12, 4, 16, 6};
// Game folders of mods, by server index; most servers run the plain game.
const QByteArrayList modNames = {"", "", "ctf", "", "", "arena", "", "", "", "fortress", "", ""};

} // namespace

StandInPlayer DemoPlayer(int i) {
    QByteArray name = demoNames[i % demoNames.size()];
    if (i >= demoNames.size())
        name += Gold(i / demoNames.size());
    return StandInPlayer{name,
                         (i * 5) % 14,
                         (i * 3 + 4) % 14,
                         (i * 7) % 31 - 2,
                         60 + i * 97,
                         "127.0.0.1:" + QByteArray::number(27001 + i),
                         20 + (i * 37) % 120};
}

QList<StandInPlayer> DemoPlayers(int count) {
    QList<StandInPlayer> players;
    for (int i = 0; i < count; ++i)
        players.append(DemoPlayer(i));
    return players;
}

QList<StandInRule> DemoRules(int count) {
    QList<StandInRule> rules;
    for (int i = 0; i < count; ++i) {
        if (i < int(std::size(knownRules)))
            rules.append(StandInRule{knownRules[i].name, knownRules[i].value});
        else
            rules.append(
                StandInRule{"rule" + QByteArray::number(i + 1), QByteArray::number(i + 1)});
    }
    return rules;
}

StandInConfig DemoServer(int index, int ruleCount) {
    StandInConfig config;
    config.serverName = serverNames[index % serverNames.size()];
    if (index >= serverNames.size())
        config.serverName += " #" + QByteArray::number(index / serverNames.size() + 1);
    config.mapName = mapNames[index % mapNames.size()];
    const int maxPlayers = maxPlayerCounts[index % std::size(maxPlayerCounts)];
    config.maxPlayers = quint8(maxPlayers);
    const int players = index % 5 == 0   ? 0
                        : index % 5 == 3 ? maxPlayers
                                         : (index * 7 + 3) % maxPlayers;
    config.players = DemoPlayers(players);
    config.modName = modNames[index % modNames.size()];
    config.rules = DemoRules(ruleCount);
    return config;
}
