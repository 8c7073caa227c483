// What every desktop-program test starts from: a profile and temporary folder of its
// own (never the user's), the offscreen platform, and a program started on a chosen
// variant whose message boxes are answered by the test.
#pragma once

#include <QApplication>
#include <QSettings>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "OwnProfile.h"
#include "shell/QtInteraction.h"
#include "shell/TolvarApp.h"

// Starts app on the variant (0 LMR, 1 PMR) with a fresh profile, every sheet, no
// splash, and boxes answered by answer; false when it did not start.
inline bool StartTestApp(CTolvarApp& app, int model,
                         std::function<EAnswer(const SBoxRecord&)> answer) {
    QSettings("Velk", "CS-Tolvar").clear();
    QSettings("Velk", "CS-Tolvar").setValue("Model/ModelVer", model);
    app.SetSplashDuration(0);
    if (!app.InitInstance({"cs-tolvar"}))
        return false;
    app.Interaction()->SetSilent(true);
    app.Interaction()->SetBoxHook(std::move(answer));
    return true;
}

// Presses or clicks what trigger does and runs act on the modal dialog it opens, as
// the user would answer it; a dialog act leaves open is cancelled. False when no
// dialog opened.
inline bool WithModal(const std::function<void()>& trigger,
                      const std::function<void(QDialog&)>& act) {
    bool seen = false;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || seen) return;
        seen = true;
        timer.stop();
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    timer.start();
    trigger();
    timer.stop();
    return seen;
}

// One data row per case of a table, tagged with its name or else its number.
template <class Case, size_t N> void AddCases(const Case (&cases)[N]) {
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < N; ++i) {
        if constexpr (requires { cases[i].tag; })
            QTest::newRow(cases[i].tag) << int(i);
        else
            QTest::addRow("%zu", i) << int(i);
    }
}

// The main of a test program: runs the slots of Test offscreen with its own profile.
template <class Test>
int RunOffscreenTests(int argc, char* argv[]) {
    QTemporaryDir home;
    UseOwnProfile(home, true);
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
