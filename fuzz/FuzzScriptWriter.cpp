// The script writer with any own name, any name trickery setting and any display names, then the
// split of every script as the game reads it, and the number of lines each script must hold.
//
// Input: nametrickery (the first byte modulo 3), the length of quakename and its bytes (Latin-1),
// then operations, each led by one byte (modulo 6):
//   0  WriteScrollNames(a signed 16-bit count)
//   1  WriteNameScript(a signed byte, a name of the next byte's length)
//   2  resize the name list (a byte, less 16)
//   3  set a name in the list (a signed byte, a name of the next byte's length)
//   4  WritePlayerList(a byte, less 16)
//   5  RestartScripts

#include "FuzzProcess.h"
#include "PlayerNameList.h"
#include "ScriptGrammar.h"
#include "ScriptLines.h"
#include "Settings.h"

#include <QFile>
#include <algorithm>

namespace {

constexpr int HeaderLines = 21;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Scripts that the writer does not open keep what an earlier input left in them.
    QFile::remove(ScriptPath(MainScriptName));
    for (int i = 0; i < ScriptWriter::NameScriptCount; ++i)
        QFile::remove(ScriptPath(NameScriptName(i)));

    InputBytes input(data, size);
    Settings settings;
    settings.quakepath = GameFolderPath();
    settings.nametrickery = input.Byte() % 3;
    const bool trickery = settings.nametrickery == 1;
    const std::string_view quakename = input.Bytes(input.Byte());
    settings.quakename = QString::fromLatin1(quakename.data(), qsizetype(quakename.size()));
    ScriptWriter writer(settings);
    writer.OpenScriptFiles();
    PlayerNameList names;
    // The lines each script must hold after the operations so far.
    int mainLines = 0;
    std::array<int, ScriptWriter::NameScriptCount> nameLines{};
    while (!input.Empty()) {
        switch (input.Byte() % 6) {
        case 0: {
            const int high = input.Byte();
            writer.WriteScrollNames(static_cast<std::int16_t>((high << 8) | input.Byte()));
            mainLines += trickery ? 1 : 0;
            break;
        }
        case 1: {
            const int n = static_cast<std::int8_t>(input.Byte());
            writer.WriteNameScript(n, input.Bytes(input.Byte()));
            if (trickery && n >= 0 && n < ScriptWriter::NameScriptCount)
                ++nameLines[n];
            break;
        }
        case 2:
            names.Resize(input.Byte() - 16);
            break;
        case 3: {
            const int n = static_cast<std::int8_t>(input.Byte());
            names.Set(n, input.Bytes(input.Byte()));
            break;
        }
        case 4: {
            const int n = input.Byte() - 16;
            writer.WritePlayerList(n, names);
            mainLines += trickery ? std::max(n, 0) : 0;
            break;
        }
        default:
            // Whatever was written so far is checked before the restart empties it.
            RequireScripts(mainLines, nameLines);
            writer.RestartScripts();
            mainLines = trickery ? HeaderLines : 1;
            if (trickery)
                nameLines.fill(0);
        }
    }
    RequireScripts(mainLines, nameLines);
    return 0;
}
