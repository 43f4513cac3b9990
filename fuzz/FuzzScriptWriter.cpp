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
#include "ScriptLines.h"
#include "ScriptSplit.h"
#include "ScriptWriter.h"
#include "Settings.h"

#include <QFile>
#include <algorithm>
#include <array>

namespace {

constexpr int HeaderLines = 21;

QString FileName(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

std::array<QString, ScriptWriter::NameScriptCount + 1> ScriptFiles() {
    std::array<QString, ScriptWriter::NameScriptCount + 1> files;
    files[0] = FileName(MainScriptName);
    for (int i = 0; i < ScriptWriter::NameScriptCount; ++i)
        files[i + 1] = FileName(NameScriptName(i));
    return files;
}

// The lines each script must hold after the operations so far.
struct ExpectedLines {
    int main = 0;
    std::array<int, ScriptWriter::NameScriptCount> names{};
};

class WriterRun {
public:
    explicit WriterRun(const Settings& settings)
        : writer(settings), trickery(settings.nametrickery == 1) {
        writer.OpenScriptFiles();
    }

    void Operate(InputBytes& input) {
        switch (input.Byte() % 6) {
        case 0: {
            const auto high = input.Byte();
            const int n = static_cast<std::int16_t>((high << 8) | input.Byte());
            writer.WriteScrollNames(n);
            expected.main += trickery ? 1 : 0;
            break;
        }
        case 1: {
            const int n = static_cast<std::int8_t>(input.Byte());
            writer.WriteNameScript(n, input.Bytes(input.Byte()));
            if (trickery && n >= 0 && n < ScriptWriter::NameScriptCount)
                ++expected.names[n];
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
            expected.main += trickery ? std::max(n, 0) : 0;
            break;
        }
        default:
            // Whatever was written so far is checked before the restart empties it.
            RequireScripts();
            writer.RestartScripts();
            expected.main = trickery ? HeaderLines : 1;
            if (trickery)
                expected.names.fill(0);
            break;
        }
    }

    void RequireScripts() const {
        const auto files = ScriptFiles();
        Require(RequireSplitsAsMeant(ReadScript(files[0]), ScriptKind::Main) == expected.main,
                "the main script holds other lines than were written");
        for (int i = 0; i < ScriptWriter::NameScriptCount; ++i) {
            const int lines = RequireSplitsAsMeant(ReadScript(files[i + 1]), ScriptKind::Name);
            Require(lines == expected.names[i],
                    "a name script holds other lines than were written");
        }
    }

private:
    ScriptWriter writer;
    PlayerNameList names;
    const bool trickery;
    ExpectedLines expected;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartFuzzProcess(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Scripts that the writer does not open keep what an earlier input left in them.
    for (const QString& file : ScriptFiles())
        QFile::remove(ScriptPath(file));

    InputBytes input(data, size);
    Settings settings;
    settings.quakepath = GameFolderPath();
    settings.nametrickery = input.Byte() % 3;
    const std::string_view quakename = input.Bytes(input.Byte());
    settings.quakename =
        QString::fromLatin1(quakename.data(), static_cast<qsizetype>(quakename.size()));

    WriterRun run(settings);
    while (!input.Empty())
        run.Operate(input);
    run.RequireScripts();
    return 0;
}
