#pragma once

#include <QObject>

// Tells the graph windows that an Ortskurve computed on a worker has been kept, on the thread that
// first asked for the notifier (the window's).
class CLocusNotifier final : public QObject
{
    Q_OBJECT

signals:
    void computed();
};

CLocusNotifier& LocusNotifier();
