#pragma once

class CThreadPool;

// How a discussion is computed and shown. exact is the default discussion (PieceDiscussion.h):
// piece by piece where f is defined, one line per point, refined to full double precision. Without
// it the raster scan runs, where every scan point that passes the letter rules yields its own line.
// digits is the number of decimals every number is shown with at most (1 to 15).
struct SDiscussOptions
{
    bool exact{false};
    int digits{5};
    // The threads the scan computes on; the shared pool when not given. The lines are the same
    // whatever the pool.
    CThreadPool* threads{nullptr};
};
