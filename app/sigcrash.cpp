#include "app/sigcrash.h"

#include "core/config.h"
#include "core/logging.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <cstring>
#include <dlfcn.h>
#include <elf.h>
#include <execinfo.h>
#include <link.h>
#include <string>

namespace {

const int kMaxFrames = 128;
const qint64 kMaxLogSize = 10000000;

std::string shellQuoted(const char* text)
{
    std::string out = "'";
    for (const char* c = text; *c; ++c) {
        if (*c == '\'')
            out += "'\\''";
        else
            out += *c;
    }
    return out + "'";
}

// Writes the source location of one return address, as addr2line finds it in the
// module (executable or shared library) that holds the address.
void writeResolved(FILE* log, void* address)
{
    Dl_info info;
    if (!dladdr(address, &info) || !info.dli_fbase)
        return;
    // The main program's name may be a relative argv[0]; its image is always reachable here.
    const char* module = (info.dli_fname && info.dli_fname[0] == '/') ? info.dli_fname : "/proc/self/exe";
    uintptr_t offset = reinterpret_cast<uintptr_t>(address);
    // Position-independent images are resolved by their offset from the load base;
    // a fixed-address executable by the address itself.
    const auto* header = static_cast<const ElfW(Ehdr)*>(info.dli_fbase);
    if (header->e_type != ET_EXEC)
        offset -= reinterpret_cast<uintptr_t>(info.dli_fbase);

    char cmd[4096];
    snprintf(cmd, sizeof cmd, "addr2line -C -f -p -e %s 0x%lx 2>/dev/null", shellQuoted(module).c_str(),
        static_cast<unsigned long>(offset));
    FILE* pipe = popen(cmd, "r");
    if (!pipe)
        return;
    char line[1024];
    if (fgets(line, sizeof line, pipe))
        fputs(line, log);
    pclose(pipe);
}

} // namespace

void sig_crash(int signum)
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    QDir().mkpath(desktop);
    const QString path = desktop + QLatin1Char('/') + QCoreApplication::applicationName() + Config::version
        + QLatin1Char(' ') + QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss.zzz ddd"))
        + QStringLiteral("崩溃日志.log");
    qCDebug(lcApp).noquote() << path;

    const QByteArray fileName = QFile::encodeName(path);
    const QFileInfo existing(path);
    FILE* log = (existing.exists() && existing.size() > kMaxLogSize) ? fopen(fileName.constData(), "w")
                                                                     : fopen(fileName.constData(), "at");
    if (!log)
        exit(0);

    const time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    fprintf(log,
        "#########################################################\n"
        "[%04d-%02d-%02d %02d:%02d:%02d][crash signal number:%d]\n",
        local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, signum);

    // A second fault while writing ends the process the default way instead of looping.
    signal(signum, SIG_DFL);
    void* frames[kMaxFrames];
    const int count = backtrace(frames, kMaxFrames);
    char** symbols = backtrace_symbols(frames, count);
    for (int i = 0; i < count; ++i) {
        fprintf(log, "%d %s\n", i, symbols ? symbols[i] : "");
        fflush(log);
        writeResolved(log, frames[i]);
    }
    free(symbols);

    fflush(log);
    fclose(log);
    exit(0);
}
