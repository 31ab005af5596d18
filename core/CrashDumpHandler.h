#pragma once

// Writes a dump file into the per-user "Exception" folder when the program
// crashes, on whichever thread; the process still ends. The page shell
// creates the one instance and installs it.
class CrashDumpHandler
{
public:
    CrashDumpHandler() = default;

    // From now on every crash writes "Exception/yyyy_MM_dd_hh_mm_ss.dmp".
    void Install();
};
