#pragma once

class CThreadPool;

// How a discussion is shown. In the exact mode each point (a run of band hits, a crossing that
// lies between two scan points, a touching point) yields one line, at the point refined to full
// double precision; otherwise every scan point that passes yields its own line. digits is the
// number of decimals every number is shown with at most (1 to 15).
struct SDiscussOptions
{
    bool exact{false};
    int digits{5};
    // The threads the scan computes on; the shared pool when not given. The lines are the same
    // whatever the pool.
    CThreadPool* threads{nullptr};
};
