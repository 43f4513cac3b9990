#include "HourlyRollUp.h"

#include "HistoryStore.h"

#include <QDateTime>

HourlyRollUp::HourlyRollUp(HistoryStore& store, QObject* parent) : QObject(parent), store(store) {
    timer.setInterval(60 * 60 * 1000);
    connect(&timer, &QTimer::timeout, this, &HourlyRollUp::RollUp);
    timer.start();
    RollUp();
}

void HourlyRollUp::RollUp() {
    store.RollUp(QDateTime::currentDateTimeUtc());
}
