// Printing to PDF: print all of each variant, and a job of at least 40 pages (the
// print-all list, then the memory sheet again until 40 pages are reached), timed
// from the queue to the closed file. Runs offscreen without a display.
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "document/NavigationTree.h"
#include "document/PrintOrder.h"
#include "shell/PrintJob.h"
#include "shell/TolvarApp.h"
#include "gui/OwnProfile.h"

namespace {

double TimeJob(CPrintJob& job, const QString& path, int& pages) {
    QElapsedTimer clock;
    clock.start();
    job.PrintQueueToPdf(path, true);
    pages = job.LastPageCount();
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir config;
    UseOwnProfile(config, false);
    QApplication app(argc, argv);
    for (int model : {0, 1}) {
        QSettings("Velk", "CS-Tolvar").setValue("Model/ModelVer", model);
        CTolvarApp tolvar;
        tolvar.SetSplashDuration(0);
        if (!tolvar.InitInstance({"cs-tolvar"}))
            return 1;
        CPrintJob& job = *tolvar.PrintJob();
        const char* name = model == 1 ? "PMR" : "LMR";
        const QString path = config.filePath(QStringLiteral("bench.pdf"));

        job.ClearQueue();
        job.AddToQueue(CPrintQueue::kPrintAll);
        int pages = 0;
        double ms = TimeJob(job, path, pages);
        std::printf("%s print all to PDF: %d pages in %.0f ms\n", name, pages, ms);

        const int memoryPages = [&] {
            job.ClearQueue();
            job.AddToQueue(MemoryViewOf(model));
            int n = 0;
            TimeJob(job, path, n);
            return n;
        }();
        job.ClearQueue();
        job.AddToQueue(CPrintQueue::kPrintAll);
        for (int total = pages; total < 40 && memoryPages > 0; total += memoryPages)
            job.AddToQueue(MemoryViewOf(model));
        ms = TimeJob(job, path, pages);
        std::printf("%s job of %d pages to PDF: %.0f ms (%.1f ms a page)\n", name, pages, ms,
                    ms / std::max(pages, 1));
    }
    return 0;
}
