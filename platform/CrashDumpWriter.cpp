#include "platform/CrashDumpWriter.h"

#if defined(Q_OS_WIN)

#include <windows.h>
#include <dbghelp.h>

#include <string>

#include <QDateTime>
#include <QDir>

namespace {
std::wstring g_ExceptionFolder;

LONG WINAPI WriteMiniDump(EXCEPTION_POINTERS* exceptionPointers)
{
    CreateDirectoryW(g_ExceptionFolder.c_str(), nullptr);
    const std::wstring path = g_ExceptionFolder + L"\\"
        + QDateTime::currentDateTime().toString("yyyy_MM_dd_hh_mm_ss").toStdWString() + L".dmp";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        MINIDUMP_EXCEPTION_INFORMATION information;
        information.ThreadId = GetCurrentThreadId();
        information.ExceptionPointers = exceptionPointers;
        information.ClientPointers = TRUE;
        MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal,
                          &information, nullptr, nullptr);
        CloseHandle(file);
    }
    return EXCEPTION_EXECUTE_HANDLER;
}
}

void InstallCrashDumpWriter(const QString& exceptionFolder)
{
    QDir().mkpath(exceptionFolder);
    g_ExceptionFolder = QDir::toNativeSeparators(exceptionFolder).toStdWString();
    SetUnhandledExceptionFilter(WriteMiniDump);
}

#else

#include <QDir>
#include <QFile>

#include <atomic>
#include <csignal>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <new>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int kMaxBacktraceFrames = 64;

char g_ExceptionFolder[4096];
// The local time's offset from UTC, taken at installation: turning the crash
// time into local time inside the handler may not touch the time-zone data.
// A daylight-saving switch while the program runs shifts the name by the switch.
long g_UtcOffsetSeconds = 0;
std::atomic<bool> g_Dumping{false};
// The handler runs on a stack of its own, so that it also runs when the crash
// is a stack overflow. An alternate signal stack belongs to one thread: the
// installing thread has this one, every other thread gets its own as it
// starts (pthread_create below).
constexpr size_t kAlternateStackBytes = 64 * 1024;
char g_AlternateStack[kAlternateStackBytes];

// Appends text and numbers to a fixed buffer; nothing here allocates.
class SignalSafeText
{
public:
    void Append(const char* text)
    {
        while (*text && m_Used + 1 < sizeof(m_Data))
            m_Data[m_Used++] = *text++;
        m_Data[m_Used] = '\0';
    }

    void AppendNumber(long long number, int minimumDigits = 1)
    {
        char digits[24];
        int count = 0;
        const bool negative = number < 0;
        unsigned long long rest = negative ? 0ULL - static_cast<unsigned long long>(number)
                                           : static_cast<unsigned long long>(number);
        do {
            digits[count++] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        } while (rest != 0 || count < minimumDigits);
        if (negative)
            Append("-");
        char text[24];
        for (int i = 0; i < count; ++i)
            text[i] = digits[count - 1 - i];
        text[count] = '\0';
        Append(text);
    }

    const char* Text() const { return m_Data; }
    size_t Length() const { return m_Used; }

private:
    char m_Data[4352] = {};
    size_t m_Used = 0;
};

const char* SignalName(int signalNumber)
{
    switch (signalNumber) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    case SIGABRT: return "SIGABRT";
    default: return "?";
    }
}

// "yyyy_MM_dd_hh_mm_ss" of the current local time, from the civil calendar
// computed by hand (days since 1970 to year, month and day).
void AppendLocalTime(SignalSafeText& text)
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long local = static_cast<long long>(now.tv_sec) + g_UtcOffsetSeconds;
    long long days = local / 86400;
    long long secondOfDay = local % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    const long long day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const long long month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    text.AppendNumber(year, 4);
    text.Append("_");
    text.AppendNumber(month, 2);
    text.Append("_");
    text.AppendNumber(day, 2);
    text.Append("_");
    text.AppendNumber(secondOfDay / 3600, 2);
    text.Append("_");
    text.AppendNumber(secondOfDay / 60 % 60, 2);
    text.Append("_");
    text.AppendNumber(secondOfDay % 60, 2);
}

void WriteAll(int fd, const char* data, size_t length)
{
    while (length > 0) {
        const ssize_t written = write(fd, data, length);
        if (written <= 0)
            return;
        data += written;
        length -= static_cast<size_t>(written);
    }
}

void WriteDump(int signalNumber)
{
    if (g_ExceptionFolder[0] == '\0')
        return;
    mkdir(g_ExceptionFolder, 0755);

    SignalSafeText stamp;
    AppendLocalTime(stamp);
    SignalSafeText path;
    path.Append(g_ExceptionFolder);
    path.Append("/");
    path.Append(stamp.Text());
    path.Append(".dmp");

    const int fd = open(path.Text(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    SignalSafeText header;
    header.Append("signal: ");
    header.AppendNumber(signalNumber);
    header.Append(" (");
    header.Append(SignalName(signalNumber));
    header.Append(")\nthread: ");
    header.AppendNumber(static_cast<long long>(syscall(SYS_gettid)));
    header.Append("\nprocess: ");
    header.AppendNumber(static_cast<long long>(getpid()));
    header.Append("\ntime: ");
    header.Append(stamp.Text());
    header.Append("\nbacktrace:\n");
    WriteAll(fd, header.Text(), header.Length());

    void* frames[kMaxBacktraceFrames];
    const int frameCount = backtrace(frames, kMaxBacktraceFrames);
    backtrace_symbols_fd(frames, frameCount, fd);
    close(fd);
}

void OnFatalSignal(int signalNumber, siginfo_t*, void*)
{
    if (g_Dumping.exchange(true)) {
        // Another thread is writing the dump and will end the process.
        for (;;)
            pause();
    }
    WriteDump(signalNumber);

    // Die by the same signal: with the default action restored, the signal
    // raised here (or the faulting instruction run again) ends the process.
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    sigaction(signalNumber, &defaultAction, nullptr);
    raise(signalNumber);
}

// A thread's own alternate signal stack for its lifetime; the stack it had
// before (one a sanitizer's runtime gave it, say) comes back at its end.
class ThreadAlternateStack
{
public:
    ThreadAlternateStack()
    {
        stack_t stack {};
        stack.ss_sp = m_Stack;
        stack.ss_size = kAlternateStackBytes;
        m_Installed = m_Stack && sigaltstack(&stack, &m_Previous) == 0;
    }

    ~ThreadAlternateStack()
    {
        if (m_Installed) {
            if (!(m_Previous.ss_flags & SS_DISABLE))
                sigaltstack(&m_Previous, nullptr);
            else {
                stack_t disabled {};
                disabled.ss_flags = SS_DISABLE;
                sigaltstack(&disabled, nullptr);
            }
        }
        delete[] m_Stack;
    }

    ThreadAlternateStack(const ThreadAlternateStack&) = delete;
    ThreadAlternateStack& operator=(const ThreadAlternateStack&) = delete;

private:
    char* m_Stack = new (std::nothrow) char[kAlternateStackBytes];
    stack_t m_Previous {};
    bool m_Installed = false;
};

struct ThreadStart
{
    void* (*routine)(void*);
    void* argument;
};

void* RunWithAlternateStack(void* data)
{
    const ThreadStart start = *static_cast<ThreadStart*>(data);
    delete static_cast<ThreadStart*>(data);
    // Also released when the thread ends by pthread_exit or cancellation,
    // which unwind this frame.
    ThreadAlternateStack stack;
    return start.routine(start.argument);
}
}

// Every thread of the process starts here: the program's own (the device
// thread and the rest), Qt's, and the device library's, whose code the
// program cannot change. Each runs its start routine with an alternate
// signal stack of its own, so that a stack overflow on any of them writes the
// dump like any other crash.
extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attributes,
                              void* (*routine)(void*), void* argument) noexcept
{
    using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
    static const auto create = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "pthread_create"));
    auto* start = new (std::nothrow) ThreadStart{routine, argument};
    if (!start)
        return create(thread, attributes, routine, argument);
    const int result = create(thread, attributes, RunWithAlternateStack, start);
    if (result != 0)
        delete start;
    return result;
}

void InstallCrashDumpWriter(const QString& exceptionFolder)
{
    QDir().mkpath(exceptionFolder);
    const QByteArray folder = QFile::encodeName(exceptionFolder);
    if (static_cast<size_t>(folder.size()) + 32 < sizeof(g_ExceptionFolder))
        std::memcpy(g_ExceptionFolder, folder.constData(), static_cast<size_t>(folder.size()) + 1);
    else
        g_ExceptionFolder[0] = '\0';

    const time_t now = time(nullptr);
    tm local {};
    localtime_r(&now, &local);
    g_UtcOffsetSeconds = local.tm_gmtoff;

    // The first backtrace() loads the unwinder, which allocates: do it now.
    void* frame[1];
    backtrace(frame, 1);

    stack_t alternateStack {};
    alternateStack.ss_sp = g_AlternateStack;
    alternateStack.ss_size = sizeof(g_AlternateStack);
    sigaltstack(&alternateStack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : kFatalSignals)
        sigaction(signalNumber, &action, nullptr);
}

#endif
