#include "app/LocusNotifier.h"

#include "framework/CurveSamplers.h"

CLocusNotifier& LocusNotifier()
{
    static CLocusNotifier notifier;
    static const bool registered = [] {
        WhenLocusComputed(
            [] { QMetaObject::invokeMethod(&notifier, &CLocusNotifier::computed, Qt::QueuedConnection); });
        return true;
    }();
    (void)registered;
    return notifier;
}
