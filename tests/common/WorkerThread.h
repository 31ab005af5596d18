#pragma once

#include <functional>

// Runs job on a thread of its own while the calling (GUI) thread keeps
// handling events, as the device thread and the library's report callback do:
// the job may emit blocking-queued hub signals, whose slots then run here.
// False when the job has not ended within timeoutMs; its thread is then left
// to end on its own.
bool RunOnWorkerThread(const std::function<void()>& job, int timeoutMs = 5000);
