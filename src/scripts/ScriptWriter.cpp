#include "ScriptWriter.h"

#include "Paths.h"
#include "PlayerNameList.h"
#include "ScriptLines.h"
#include "Settings.h"

#include <algorithm>

namespace {

QString FileName(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

ScriptWriter::ScriptWriter(const Settings& settings) : settings(settings) {}

ScriptWriter::~ScriptWriter() {
    for (int i = NameScriptCount - 1; i >= 0; --i)
        nameScripts[i].close();
    mainScript.close();
}

bool ScriptWriter::HasGameFolder() const {
    return !settings.quakepath.isEmpty();
}

ScriptWriter::OpenResult ScriptWriter::OpenScriptFiles() {
    if (!HasGameFolder())
        return OpenResult::Opened;
    const QString folder = DataFolder(settings.quakepath);
    Open(mainScript, JoinPath(folder, FileName(MainScriptName)));
    if (!NameTrickery())
        return OpenResult::Opened;
    if (!FolderExists(settings.quakepath))
        return OpenResult::GameFolderMissing;
    OpenNameScripts(folder);
    return OpenResult::Opened;
}

void ScriptWriter::RestartScripts() {
    if (!HasGameFolder())
        return;
    const QString folder = DataFolder(settings.quakepath);
    const QString mainPath = JoinPath(folder, FileName(MainScriptName));
    mainScript.close();
    // A missing file counts as deleted; one that cannot be deleted is still emptied by the open.
    QFile::remove(mainPath);
    Open(mainScript, mainPath);

    if (NameTrickery())
        Write(mainScript, ShowPlayersLine());
    const QByteArray quakename = settings.quakename.toLatin1();
    Write(mainScript,
          MyNameLine({quakename.constData(), static_cast<std::size_t>(quakename.size())}));
    if (!NameTrickery())
        return;
    for (int i = 0; i < NameScriptCount; ++i)
        Write(mainScript, NameAliasLine(i));
    Write(mainScript, Wait2Line);
    Write(mainScript, Wait3Line);
    Write(mainScript, ClearLine);
    OpenNameScripts(folder);
}

void ScriptWriter::WriteScrollNames(int n) {
    if (!NameTrickery())
        return;
    Write(mainScript, ScrollNamesStart);
    for (int i = 0; i < std::min(n, NameScriptCount); ++i)
        Write(mainScript, ScrollNamesPiece(i));
    Write(mainScript, ScrollNamesEnd);
}

void ScriptWriter::WriteNameScript(int n, std::string_view name) {
    if (NameTrickery() && n >= 0 && n < NameScriptCount)
        Write(nameScripts[n], NameLine(name));
}

void ScriptWriter::WritePlayerList(int n, const PlayerNameList& names) {
    if (!NameTrickery())
        return;
    for (int i = 0; i < n; ++i)
        Write(mainScript, PlayerListLine(i, names.At(i)));
}

bool ScriptWriter::NameTrickery() const {
    return settings.nametrickery == 1;
}

void ScriptWriter::OpenNameScripts(const QString& dataFolder) {
    for (int i = 0; i < NameScriptCount; ++i)
        Open(nameScripts[i], JoinPath(dataFolder, FileName(NameScriptName(i))));
}

// Create or truncate, and no buffer of our own: the game may execute a script at any moment.
void ScriptWriter::Open(QFile& file, const QString& path) {
    file.close();
    file.setFileName(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
}

void ScriptWriter::Write(QFile& file, std::string_view bytes) {
    if (file.isOpen())
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}
