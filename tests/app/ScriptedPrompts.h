#pragma once

#include "Prompts.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

// Answers the program's questions from queues and remembers every prompt shown. With a queue
// empty, a question gets No or Cancel; the folder picker is always cancelled.
class ScriptedPrompts final : public Prompts {
public:
    enum class Kind { Ok, YesNo, RetryCancel, Number, PickFolder };
    struct Shown {
        QWidget* parent;
        Kind kind;
        QString caption;
        QString text;
    };

    // The next Yes/No or Retry/Cancel question gets Yes or Retry when true.
    void QueueAnswer(bool yesOrRetry) { answers.push_back(yesOrRetry); }

    // The next number asked for; with none queued the input is cancelled.
    void QueueNumber(int number) { numbers.push_back(number); }

    const QList<Shown>& History() const { return shown; }
    QStringList Texts() const {
        QStringList texts;
        for (const Shown& s : shown)
            texts << s.text;
        return texts;
    }
    void Clear() { shown.clear(); }

    // Runs while a prompt is open, as a nested event loop would let other work run.
    std::function<void(const Shown&)> whileShown;

    void Ok(QWidget* parent, const QString& caption, const QString& text) override {
        Show(parent, Kind::Ok, caption, text);
    }
    bool YesNo(QWidget* parent, const QString& caption, const QString& text) override {
        return Show(parent, Kind::YesNo, caption, text);
    }
    bool RetryCancel(QWidget* parent, const QString& caption, const QString& text) override {
        return Show(parent, Kind::RetryCancel, caption, text);
    }
    std::optional<int> Number(QWidget* parent, const QString& caption, const QString& text, int,
                              int, int) override {
        Show(parent, Kind::Number, caption, text);
        if (numbers.empty())
            return std::nullopt;
        const int number = numbers.front();
        numbers.pop_front();
        return number;
    }
    QString PickFolder(QWidget* parent, const QString& title, const QString& startFolder) override {
        Show(parent, Kind::PickFolder, title, startFolder);
        return {};
    }

private:
    // Records the prompt and runs `whileShown`; a question then takes the next queued answer, or No
    // when the queue has run dry.
    bool Show(QWidget* parent, Kind kind, const QString& caption, const QString& text) {
        shown.append({parent, kind, caption, text});
        if (whileShown)
            whileShown(shown.last());
        if ((kind != Kind::YesNo && kind != Kind::RetryCancel) || answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QList<Shown> shown;
    std::deque<bool> answers;
    std::deque<int> numbers;
};
