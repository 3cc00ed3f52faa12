#include "QtProcessEnd.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <cstdlib>

void QtProcessEnd::endProcess(int status)
{
    // Leaving the event loops makes the application's exec() return the
    // status, and the windows close as the program ends.
    if (QCoreApplication::instance() && QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(status);
        return;
    }
    std::fflush(nullptr);
    std::exit(status);
}
