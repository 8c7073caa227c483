#include "Profile.h"
#include "document/Product.h"

#include <QSettings>

namespace {

QSettings Settings() {
    return QSettings(QString::fromUtf8(kProfileOrganisation), QString::fromUtf8(kProfileApplication));
}

const char* const kPosition = "Window Position/";

} // namespace

SWindowPosition CProfile::WindowPosition() const {
    const QSettings s = Settings();
    const QString p = kPosition;
    SWindowPosition w;
    w.rect = QRect(s.value(p + "Left", 5).toInt(), s.value(p + "Top", 5).toInt(),
                   s.value(p + "Width", 500).toInt(), s.value(p + "Height", 300).toInt());
    w.cmdShow = s.value(p + "CmdShow", 5).toInt();
    w.splitterV = s.value(p + "SplitterV", 180).toInt();
    w.splitterH = s.value(p + "SplitterH", 20).toInt();
    return w;
}

void CProfile::SetWindowPosition(const SWindowPosition& w) {
    QSettings s = Settings();
    const QString p = kPosition;
    s.setValue(p + "SplitterV", w.splitterV);
    s.setValue(p + "SplitterH", w.splitterH);
    s.setValue(p + "Left", w.rect.left());
    s.setValue(p + "Top", w.rect.top());
    s.setValue(p + "Width", w.rect.width());
    s.setValue(p + "Height", w.rect.height());
    s.setValue(p + "CmdShow", w.cmdShow);
}

QByteArray CProfile::ToolBarState() const {
    return Settings().value("ToolBarState/State").toByteArray();
}

void CProfile::SetToolBarState(const QByteArray& state) {
    Settings().setValue("ToolBarState/State", state);
}

int CProfile::ModelVer() const {
    const int model = Settings().value("Model/ModelVer", 0).toInt();
    return model == 1 ? 1 : 0;
}

void CProfile::SetModelVer(int model) {
    Settings().setValue("Model/ModelVer", model);
}

bool CProfile::VerifyAfterWrite() const {
    return Settings().value("Clone/VerifyAfterWrite", false).toBool();
}

void CProfile::SetVerifyAfterWrite(bool verify) {
    Settings().setValue("Clone/VerifyAfterWrite", verify);
}

int CProfile::PortNumber() const {
    const int n = Settings().value("CommPort/PortNumber", 1).toInt();
    return n >= 1 && n <= kComPortCount ? n : 1;
}

void CProfile::SetPortNumber(int n) {
    Settings().setValue("CommPort/PortNumber", n);
}

int CProfile::PortBaud() const {
    return Settings().value("CommPort/PortBaud", 1).toInt() == 2 ? 2 : 1;
}

void CProfile::SetPortBaud(int mode) {
    Settings().setValue("CommPort/PortBaud", mode);
}

CPortSettings CProfile::PortSettings() const {
    const QSettings s = Settings();
    CPortSettings ports;
    for (int n = 1; n <= kComPortCount; ++n) {
        const QString path = s.value(QString("CommPort/Device%1").arg(n)).toString();
        if (!path.isEmpty()) ports.SetComPath(n, path.toStdString());
    }
    return ports;
}

void CProfile::SetPortSettings(const CPortSettings& ports) {
    QSettings s = Settings();
    const CPortSettings defaults;
    for (int n = 1; n <= kComPortCount; ++n) {
        const QString key = QString("CommPort/Device%1").arg(n);
        if (ports.ComPath(n) == defaults.ComPath(n))
            s.remove(key);
        else
            s.setValue(key, QString::fromStdString(ports.ComPath(n)));
    }
}

QStringList CProfile::RecentFiles() const {
    const QSettings s = Settings();
    QStringList files;
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString file = s.value(QString("Recent File List/File%1").arg(i)).toString();
        if (!file.isEmpty()) files << file;
    }
    return files;
}

void CProfile::SetRecentFiles(const QStringList& files) {
    QSettings s = Settings();
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString key = QString("Recent File List/File%1").arg(i);
        if (i <= files.size())
            s.setValue(key, files[i - 1]);
        else
            s.remove(key);
    }
}

void CProfile::AddRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFiles)
        files.removeLast();
    SetRecentFiles(files);
}

bool CProfile::RemoveRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    if (files.removeAll(path) == 0) return false;
    SetRecentFiles(files);
    return true;
}
