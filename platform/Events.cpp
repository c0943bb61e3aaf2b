#include "platform/Events.h"

#include <QCoreApplication>

void ProcessPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }
