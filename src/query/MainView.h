#pragma once

#include "PlayerDetails.h"

#include <QString>

// What the query and result logic asks of the main window. The window decides nothing: it shows
// what it is told and reports what the user typed.
class MainView {
public:
    // Reads the fields from the controls, stopping at the first value it refuses (with the
    // refusal shown and the control focused); false then.
    virtual bool ReadFields() = 0;
    virtual void ShowFields() = 0;

    virtual void SetWindowCaption(const QString& caption) = 0;
    virtual void SetQueryButtonCaption(const QString& caption) = 0;
    virtual void SetQueryButtonEnabled(bool enabled) = 0;
    virtual void SetUpdatesButtonCaption(const QString& caption) = 0;

    // The window's two one-second timers; each tick comes back as OnTimerTick(id).
    virtual void SetTimer(int id) = 0;
    virtual void KillTimer(int id) = 0;

    virtual int Progress() const = 0;
    virtual void SetProgress(int position) = 0;

    // The player list keeps its items in player-number order.
    virtual void InsertPlayerItem(int playerNumber, const QString& text, int shirt, int pants) = 0;
    virtual void AppendRule(const QString& name, const QString& value) = 0;
    virtual void AppendDetailRows(const DetailRows& rows) = 0;
    virtual void ClearDetails() = 0;
    virtual void ClearLists() = 0;
    // Tab 0 shows the rule list, tab 1 the player details.
    virtual void SelectInfoTab(int tab) = 0;
    virtual void ShowInfoList(int tab) = 0;

    // Message boxes with the application's name as caption unless one is given.
    virtual void ShowMessage(const QString& text) = 0;
    virtual bool AskRetry(const QString& caption, const QString& text) = 0;

    // The query ended with the server's answer or in silence: complete, or its time up.
    virtual void QueryEnded(bool answered) = 0;

protected:
    ~MainView() = default;
};
