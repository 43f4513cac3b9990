#pragma once

#include "MainView.h"

#include <set>
#include <vector>

// A main window without widgets: it keeps what the lists would show and which timers run, and
// answers the time-out question as it is told.
class RecordingView final : public MainView {
public:
    bool ReadFields() override { return true; }
    void ShowFields() override {}

    void SetWindowCaption(const QString&) override {}
    void SetQueryButtonCaption(const QString&) override {}
    void SetQueryButtonEnabled(bool) override {}
    void SetUpdatesButtonCaption(const QString&) override {}

    void SetTimer(int id) override { timers.insert(id); }
    void KillTimer(int id) override { timers.erase(id); }
    bool TimerArmed(int id) const { return timers.count(id) != 0; }

    int Progress() const override { return progress; }
    void SetProgress(int position) override { progress = position; }

    void InsertPlayerItem(int playerNumber, const QString&, int, int) override {
        playerItems.push_back(playerNumber);
    }
    void AppendRule(const QString&, const QString&) override { ++rules; }
    void AppendDetailRows(const DetailRows&) override {}
    void ClearDetails() override {}
    void ClearLists() override {
        playerItems.clear();
        rules = 0;
        ++listClears;
    }
    void SelectInfoTab(int) override {}
    void ShowInfoList(int) override {}

    void ShowMessage(const QString&) override {}
    bool AskRetry(const QString&, const QString&) override { return retry; }

    bool retry = false;
    int progress = 0;
    int rules = 0;
    std::vector<int> playerItems;
    // Every query start empties the lists, so this counts the queries started.
    int listClears = 0;

private:
    std::set<int> timers;
};
