#pragma once

#include <QString>

// From this call on, a crash of any thread writes a dump file into
// exceptionFolder, named by the local time of the crash
// ("yyyy_MM_dd_hh_mm_ss.dmp"; a second crash in the same second replaces the
// first), and the process then ends as it would have without the writer.
//
// On Windows the dump is a minidump written by the unhandled-exception
// filter. Elsewhere SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT write a text
// dump (signal, thread id, time, backtrace) and the process dies by the same
// signal. Every thread of the process, whoever started it and whenever, runs
// with an alternate signal stack, so that a stack overflow on any of them
// writes the dump too. Everything the handler needs is prepared here, so
// that at the crash it only formats the time and writes the file.
void InstallCrashDumpWriter(const QString& exceptionFolder);
