#include "ScriptedPrompts.h"

QStringList ScriptedPrompts::Texts() const {
    QStringList texts;
    for (const Shown& s : shown)
        texts << s.text;
    return texts;
}

void ScriptedPrompts::Show(Kind kind, const QString& caption, const QString& text) {
    shown.append({kind, caption, text});
    if (whileShown)
        whileShown(shown.last());
}

bool ScriptedPrompts::NextAnswer() {
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedPrompts::Ok(const QString& caption, const QString& text) {
    Show(Kind::Ok, caption, text);
}

bool ScriptedPrompts::YesNo(const QString& caption, const QString& text) {
    Show(Kind::YesNo, caption, text);
    return NextAnswer();
}

bool ScriptedPrompts::RetryCancel(const QString& caption, const QString& text) {
    Show(Kind::RetryCancel, caption, text);
    return NextAnswer();
}

QString ScriptedPrompts::PickFolder(const QString& title, const QString& startFolder) {
    Show(Kind::PickFolder, title, startFolder);
    if (folders.empty())
        return {};
    const QString folder = folders.front();
    folders.pop_front();
    return folder;
}
