#pragma once

#include "MainView.h"

#include <QList>
#include <QPair>

class QIODevice;

// The main window's part without a window: messages go to the error output, nothing asks back,
// and of the lists only the rules are kept, as the reply logic lists them.
class HeadlessView final : public MainView {
public:
    explicit HeadlessView(QIODevice& errors) : errors(errors) {}

    // Name and value of each rule listed since the lists were last cleared, one character a byte.
    const QList<QPair<QString, QString>>& Rules() const { return rules; }

    bool ReadFields() override { return true; }
    void ShowFields() override {}
    void SetWindowCaption(const QString&) override {}
    void SetQueryButtonCaption(const QString&) override {}
    void SetQueryButtonEnabled(bool) override {}
    void SetUpdatesButtonCaption(const QString&) override {}
    void SetTimer(int) override {}
    void KillTimer(int) override {}
    int Progress() const override { return progress; }
    void SetProgress(int position) override { progress = position; }
    void InsertPlayerItem(int, const QString&, int, int) override {}
    void AppendRule(const QString& name, const QString& value) override;
    void AppendDetailRows(const DetailRows&) override {}
    void ClearDetails() override {}
    void ClearLists() override { rules.clear(); }
    void SelectInfoTab(int) override {}
    void ShowInfoList(int) override {}
    void ShowMessage(const QString& text) override;
    bool AskRetry(const QString&, const QString&) override { return false; }
    // The tool keeps its own result in the history.
    void QueryEnded(bool) override {}

private:
    QIODevice& errors;
    int progress = 0;
    QList<QPair<QString, QString>> rules;
};
