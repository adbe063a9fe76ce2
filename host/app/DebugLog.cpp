#include "host/app/DebugLog.h"

#include "host/app/AppMessages.h"
#include "host/app/AppServices.h"
#include "platform/String.h"

#include <atomic>

#include <cstdio>
#include <mutex>

int QXDebugLogLevel = 1;

namespace {

std::mutex& SinkMutex()
{
    static std::mutex m;
    return m;
}

QXLogSink& Sink()
{
    static QXLogSink sink;
    return sink;
}

} // namespace

QXLogSink QXSetLogSink(QXLogSink sink)
{
    std::lock_guard<std::mutex> lock(SinkMutex());
    QXLogSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

void QXDebugLogV(int level, const char* function, const char* format, va_list args)
{
    if (level >= 2 && QXDebugLogLevel < level) return;
    const std::string text = FormatNarrowV(format, args);
    std::lock_guard<std::mutex> lock(SinkMutex());
    if (Sink()) {
        Sink()(level, function ? function : "", text);
    } else {
        std::fprintf(stderr, "[%d] %s: %s\n", level, function ? function : "", text.c_str());
    }
}

void QXDebugLog(int level, const char* function, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    QXDebugLogV(level, function, format, args);
    va_end(args);
}

void QXReportAssert(const char* expression, const char* file, unsigned line)
{
    QXDebugLog(1, "ASSERT", "FAILED ASSERT: <<%s>> at %s(%u)", expression, file, line);
}

void QXReportVerify(const char* expression, const char* file, unsigned line)
{
    QXDebugLog(1, "VERIFY", "FAILED VERIFY: <<%s>> at %s(%u)", expression, file, line);
}

namespace {

void ReportError(const char* tag, unsigned message, int stringId, const char* symbol, const char* file,
                 unsigned line)
{
    QXDebugLog(1, tag, "%s: %d=<<%s>> at %s(%u)", tag, stringId, symbol ? symbol : "", file ? file : "", line);
    PostAppMessage(message, static_cast<WPARAM>(stringId), 0);
}

} // namespace

void QXReportErrorFatal(int stringId, const char* symbol, const char* file, unsigned line)
{
    ReportError("ERROR_FATAL", APPMSG_ERROR_FATAL, stringId, symbol, file, line);
}

void QXReportErrorNormal(int stringId, const char* symbol, const char* file, unsigned line)
{
    ReportError("ERROR_NORMAL", APPMSG_ERROR_NORMAL, stringId, symbol, file, line);
}

unsigned QXDebugNextLockNum()
{
    static std::atomic<unsigned> next{0};
    return ++next;
}
