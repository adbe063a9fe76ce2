#pragma once
// Diagnostic logging and the assertion/error reports of the library.
// Lines are narrow (UTF-8). The installed host decides where they go; with no
// host they go to stderr.

#include <cstdarg>
#include <functional>
#include <string>

// Lines of level 2 and above are written only when this is at least their level.
extern int QXDebugLogLevel;

void QXDebugLog(int level, const char* function, const char* format, ...) __attribute__((format(printf, 3, 4)));
void QXDebugLogV(int level, const char* function, const char* format, va_list args);

// Where finished log lines go: (level, function, text). Returns the previous sink.
using QXLogSink = std::function<void(int level, const char* function, const std::string& text)>;
QXLogSink QXSetLogSink(QXLogSink sink);

// "FAILED ASSERT: <<%s>> at %s(%u)" and friends, logged at level 1.
void QXReportAssert(const char* expression, const char* file, unsigned line);
void QXReportVerify(const char* expression, const char* file, unsigned line);

// Programming errors are logged and execution continues.
#define QXASSERT(expr) \
    do { if (!(expr)) QXReportAssert(#expr, __FILE__, static_cast<unsigned>(__LINE__)); } while (0)
// Like QXASSERT, but the expression is evaluated in every build.
#define QXVERIFY(expr) \
    ((expr) ? true : (QXReportVerify(#expr, __FILE__, static_cast<unsigned>(__LINE__)), false))

// Resource failures: "ERROR_FATAL: %d=<<%s>> at %s(%u)" / "ERROR_NORMAL: ..." at
// level 1, then the string id is posted to the main window (0x8004 fatal,
// 0x8000 normal) so the host tells the user outside the failing call.
void QXReportErrorFatal(int stringId, const char* symbol, const char* file, unsigned line);
void QXReportErrorNormal(int stringId, const char* symbol, const char* file, unsigned line);

// Pass the string-table constant itself (IDS_ERROR_OUTOFMEMORY): its name is the symbol logged.
#define ERROR_FATAL(id) QXReportErrorFatal(static_cast<int>(id), #id, __FILE__, static_cast<unsigned>(__LINE__))
#define ERROR_NORMAL(id) QXReportErrorNormal(static_cast<int>(id), #id, __FILE__, static_cast<unsigned>(__LINE__))

// Numbers the instrumented locks for their log lines: 1, 2, 3, ... per process.
unsigned QXDebugNextLockNum();
