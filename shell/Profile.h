// The settings that outlive a run, under "Velk"/"CS-Tolvar" (QSettings: on Linux
// ~/.config/Velk/CS-Tolvar.conf). Sections and keys keep their historical names.
#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>

#include "clone/PortNames.h"

struct SWindowPosition {
    QRect rect{5, 5, 500, 300};
    int cmdShow = 5; // 3: maximized
    int splitterV = 180;
    int splitterH = 20;
};

class CProfile {
public:
    static constexpr int kRecentFiles = 4;

    SWindowPosition WindowPosition() const;
    void SetWindowPosition(const SWindowPosition& position);
    QByteArray ToolBarState() const;
    void SetToolBarState(const QByteArray& state);

    int ModelVer() const;
    void SetModelVer(int model);
    int PortNumber() const;
    void SetPortNumber(int n);
    // 1: all at 9600; 2: data at 38400.
    int PortBaud() const;
    void SetPortBaud(int mode);
    // What COM1..COM4 open: a device path or "SIM"; the defaults when not set.
    CPortSettings PortSettings() const;
    void SetPortSettings(const CPortSettings& settings);

    // Whether Clone > Write reads the repeater back and compares; off unless set.
    bool VerifyAfterWrite() const;
    void SetVerifyAfterWrite(bool verify);

    QStringList RecentFiles() const;
    void SetRecentFiles(const QStringList& files);
    // Puts path first, keeping four entries.
    void AddRecentFile(const QString& path);
    // Takes path out of the list; false when it was not in it.
    bool RemoveRecentFile(const QString& path);
};
