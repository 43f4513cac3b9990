#include "UpdateCycle.h"

#include "MainView.h"
#include "QueryCycle.h"
#include "QueryState.h"
#include "Settings.h"
#include "TimerIds.h"

namespace {
QString CountdownCaption(int seconds) {
    return QStringLiteral("StopUpdates[%1]").arg(seconds);
}
} // namespace

void UpdateCycle::ToggleUpdates() {
    updateSeconds = 0;
    QueryState& s = p.state;
    if (s.autoUpdating == 1) {
        if (s.querying == 1)
            p.queries.OnQueryButton();
        p.view.SetQueryButtonEnabled(true);
        p.view.SetUpdatesButtonCaption(QStringLiteral("StartUpdates"));
        s.autoUpdating = 0;
        p.view.SetWindowCaption(QStringLiteral("Vantrel"));
        p.view.KillTimer(UpdateTimer);
        return;
    }
    p.view.SetQueryButtonEnabled(false);
    p.view.SetUpdatesButtonCaption(CountdownCaption(p.settings.updatetime));
    s.autoUpdating = 1;
    p.view.SetTimer(UpdateTimer);
}

void UpdateCycle::UpdateTick() {
    ++updateSeconds;
    p.view.SetUpdatesButtonCaption(CountdownCaption(p.settings.updatetime - updateSeconds));
    if (updateSeconds < p.settings.updatetime)
        return;
    updateSeconds = 0;
    ++updateNumber;
    p.view.SetWindowCaption(QStringLiteral("Vantrel - Update#%1").arg(updateNumber));
    p.queries.OnQueryButton();
}
