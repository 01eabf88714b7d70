#pragma once

#include "app/formcolour.h"

#include <QObject>

#include <cstdio>
#include <cstdlib>

// The main window as tests and benchmarks reach it: its controls by
// objectName, as a user finds them by sight. A name that is not there ends
// the run, naming it.
template <typename T>
T *child(const QObject &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1StringView(name));
    if (!found) {
        std::fprintf(stderr, "no control named %s\n", name);
        std::abort();
    }
    return found;
}
