// Start-up and memory: Velorix.exe against the bare program that shows the
// same template, and against the bare program that also does the system work
// Velorix does before its window shows, started in turn from the same
// folder; and, to tell what the system libraries alone cost, the bare
// program importing them.
#pragma once
#include <string>
#include <vector>

struct StartupPlan {
    std::string velorixExe;
    std::string bareExe;
    std::string bareImportsExe;  // the bare program importing Velorix's libraries
    std::string bareWorkExe;     // the bare program doing Velorix's start-up system work
    std::string folder;          // both run from here, copied beside each other
    int runs = 11;               // each, after one unmeasured run each
};

struct StartupFigures {
    bool ran = false;
    int runs = 0;                      // measured runs in which both windows showed
    double velorixMs = 0, bareMs = 0;  // medians, CreateProcess to window visible
    double velorixPrivateKb = 0, barePrivateKb = 0;
    double velorixWorkingSetKb = 0, bareWorkingSetKb = 0;
    // The bare program importing Velorix's libraries; 0 when it did not run.
    double importsMs = 0, importsPrivateKb = 0, importsWorkingSetKb = 0;
    // The bare program doing the same system work; workRuns is 0 when it did
    // not run.
    int workRuns = 0;
    double workMs = 0, workPrivateKb = 0, workWorkingSetKb = 0;
    // Every run's start-up, in order, for judging the spread.
    std::vector<double> velorixRunsMs, bareRunsMs, importsRunsMs, workRunsMs;
};

StartupFigures MeasureStartup(const StartupPlan& plan);
