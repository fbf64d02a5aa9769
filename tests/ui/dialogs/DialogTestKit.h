// What the dialog tests share: finding a named control (a missing one ends the test run at
// once) and a channel table with no sound list assigned.
#pragma once

#include "app/SoundListDiscovery.h"

#include <QWidget>

template <typename T> T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child) {
        qFatal("no child %s", name);
    }
    return child;
}

inline presetor::ChannelAssignments Unassigned() {
    presetor::ChannelAssignments assignments;
    assignments.fill(presetor::kNoSoundList);
    return assignments;
}
