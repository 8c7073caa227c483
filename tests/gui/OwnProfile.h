// A program run to test or measure the desktop program keeps to a profile, a backups
// folder and a temporary folder of its own (never the user's; the instance lock lives
// there too) and draws offscreen when told to or when there is no display.
#pragma once

#include <QTemporaryDir>
#include <QtGlobal>

inline void UseOwnProfile(const QTemporaryDir& home, bool offscreen) {
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.path().toUtf8()); // the backups of clone transfers
    qputenv("TMPDIR", home.path().toUtf8());
    if (offscreen ||
        (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
