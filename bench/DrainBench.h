// Packet drain: how fast accelerated mode's worker reads a loopback flood
// from its raw socket, against a bare recvfrom loop on the same kind of
// socket, round by round in turn. The Linux default rmem_max (4 MB) lets
// the queue hold about 10,000 small datagrams.
#pragma once
#include <vector>

// Each round fills the socket's queue first and then lets the reader drain
// it with no sender beside it: the reader's own pace, not the flood's, is
// what is timed.
struct DrainPlan {
    int rounds = 9;                // each reader, in turn, the first alternating
    long packetsPerRound = 8000;   // receives timed in each round
    long backlog = 9000;           // datagrams queued before the reader starts
    unsigned long roundMs = 5000;  // most a round may flood
};

struct DrainFigures {
    bool ran = false;
    int socketError = 0;  // why the raw socket could not be opened
    // Datagrams per second, the best round of each: other programs' load
    // only ever lowers a round, by as much as five times on a busy machine.
    double barePps = 0;
    double workerPps = 0;
    double bareMedianPps = 0, workerMedianPps = 0;
    // The median, over the rounds, of worker / bare loop within one round:
    // the two ran a second apart, so a slow spell of the machine moves both.
    double pairedRatio = 0;
    double senderPps = 0;        // how fast the queue was filled, median of all rounds
    long workerPackets = 0;      // receives of the worker in the timed windows
    long workerAllocations = 0;  // allocations in those windows
    long datagramsSent = 0;      // the whole flood
    int roundsCompleted = 0;
    // Every round's rate, in order, for judging the spread.
    std::vector<double> bareRoundsPps, workerRoundsPps;
};

DrainFigures MeasureDrain(const DrainPlan& plan);
