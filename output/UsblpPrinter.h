#pragma once
// A USB label printer's usblp device node (or another character device
// standing for one). The node is bidirectional: with no job open, the status
// query is written to it and the answer read back from it. During a job
// nothing may come between the job's bytes, so the printer-class port status
// is asked instead, which tells out of paper and paused at most.

#include "output/FilePrinter.h"

namespace kestrix {

class UsblpPrinter : public FilePrinter {
public:
    using FilePrinter::FilePrinter;

    std::unique_ptr<StatusQuery> AskStatus() override;
};

}  // namespace kestrix
