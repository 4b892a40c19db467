#pragma once

#include "analysis/AnalysisResult.h"

#include <stop_token>
#include <string>

// Where a curve discussion puts its results: the values dialog's list and progress bar, the
// command line's standard output, or a test's recorder. A scan calls it synchronously from the
// thread it runs on.
class IAnalysisSink
{
public:
    virtual ~IAnalysisSink() = default;

    // One result, in order. Unless a sink keeps the values itself, it takes the result's lines
    // (ResultText.h) one by one through AddLine.
    virtual void Add(const SAnalysisResult& result);

    // One line of text, in order: the program's 8-bit text (numbers, tabs and fixed German words);
    // an empty line separates the groups of a family.
    virtual void AddLine(std::string line) = 0;

    // The progress position, 0 to 100. It starts at 0, only moves when the position changes and is
    // set back to 0 when the run ends.
    virtual void SetProgress(int /*position*/) {}

    // True once the sink takes no more lines (a list that is full, an output that failed): the
    // scan then ends after its current point instead of computing what nobody can receive.
    virtual bool Stopped() const { return false; }

    // Called by the value table before its header line: the number of tab-separated columns that
    // follow (4, or 5 with the family constant). The list lays out its tab stops from this.
    virtual void SetTableColumns(int /*columns*/) {}

    // A token that is asked on every thread of the scan, unlike Stopped(): once it is set the scan
    // ends as soon as it can, mid-chunk, and nothing of the unfinished work reaches the sink. It is
    // how a user or a closing window stops a long run without waiting for its next line.
    virtual std::stop_token StopToken() const { return {}; }
};
