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

bool ScriptedPrompts::Show(QWidget* parent, Kind kind, const QString& caption,
                           const QString& text) {
    shown.append({parent, kind, caption, text});
    if (whileShown)
        whileShown(shown.last());
    return (kind == Kind::YesNo || kind == Kind::RetryCancel) && Pop(answers);
}

QString ScriptedPrompts::PickFolder(QWidget* parent, const QString& title,
                                    const QString& startFolder) {
    Show(parent, Kind::PickFolder, title, startFolder);
    return Pop(folders);
}
