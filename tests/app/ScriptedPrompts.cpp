#include "ScriptedPrompts.h"

namespace {

// The front of the queue, or the empty answer when it has run dry.
template <typename T> T Pop(std::deque<T>& queue) {
    if (queue.empty())
        return T();
    T front = queue.front();
    queue.pop_front();
    return front;
}

} // namespace

QStringList ScriptedPrompts::Texts() const {
    QStringList texts;
    for (const Shown& s : shown)
        texts << s.text;
    return texts;
}

bool ScriptedPrompts::Show(Kind kind, const QString& caption, const QString& text) {
    shown.append({kind, caption, text});
    if (whileShown)
        whileShown(shown.last());
    return (kind == Kind::YesNo || kind == Kind::RetryCancel) && Pop(answers);
}

QString ScriptedPrompts::PickFolder(const QString& title, const QString& startFolder) {
    Show(Kind::PickFolder, title, startFolder);
    return Pop(folders);
}
