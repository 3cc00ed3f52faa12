#pragma once

// Ending the editor's own process.
class ProcessEnd
{
public:
    virtual ~ProcessEnd() = default;

    // Ends the process with the status: the windows close and nothing more is
    // asked or saved. Programs the editor started keep running.
    virtual void endProcess(int status) = 0;
};
