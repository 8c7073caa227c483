// The small windows of the program: the repeater information, About, the start-up
// splash and the port settings.
#pragma once

#include <QDialog>
#include <QTimer>
#include <array>

#include "clone/PortNames.h"
#include "clone/RepeaterInfo.h"

class QComboBox;
class QLabel;

class CInformationDialog : public QDialog {
    Q_OBJECT
public:
    CInformationDialog(const SRepeaterInfo& info, QWidget* parent);
    QString FieldText(const QString& name) const;
};

class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent);
};

// Closes itself after its time, or at once on any key or mouse button anywhere in
// the program.
class CSplashDialog : public QDialog {
    Q_OBJECT
public:
    CSplashDialog(QWidget* owner, int milliseconds);
    ~CSplashDialog() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTimer m_timer;
};

// What COM1..COM4 open (a device path, a detected port or the simulator) and the
// transfer speed.
class CPortSettingsDialog : public QDialog {
    Q_OBJECT
public:
    CPortSettingsDialog(const CPortSettings& settings, int speedMode, QWidget* parent);
    CPortSettings Settings() const;
    int SpeedMode() const;
    QComboBox* PortBox(int number) const { return m_ports[static_cast<size_t>(number - 1)]; }

private:
    std::array<QComboBox*, kComPortCount> m_ports{};
    QComboBox* m_speed = nullptr;
};
