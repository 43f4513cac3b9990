#include "PlayerDetails.h"

#include "QuakeToAscii.h"
#include "ShownText.h"

DetailRows PlayerDetailRows(const PlayerSlot& player, int asciinames) {
    FixedText<40> name(player.name.View());
    if (asciinames != 0)
        QuakeToAscii(name.Data());
    return {{
        {QStringLiteral("Name"), ShownText(name)},
        {QStringLiteral("Number"), QString::number(player.number)},
        {QStringLiteral("Frags"), QString::number(player.frags)},
        {QStringLiteral("Shirt"), QString::number(player.shirt), player.shirt},
        {QStringLiteral("Pants"), QString::number(player.pants), player.pants},
        {QStringLiteral("Connected"), QString::number(player.connectTime)},
        {QStringLiteral("Address"), ShownText(player.address)},
    }};
}
