// The bank writer lock and the record of its holder, kept in the lock file while it is held.
#include "soundbank/BankWriterLock.h"

#include <cerrno>
#include <fstream>
#include <unistd.h>

namespace vorela {

// Only the holder writes the record; a writer that gives up reads it to say whom it waited for.
static void recordHolder(const std::filesystem::path &file)
{
    std::ofstream out(file, std::ios::trunc);
    out << ::getpid() << ' ' << program_invocation_short_name << '\n';
}

static std::optional<BankWriter> readHolder(const std::filesystem::path &file)
{
    std::ifstream in(file);
    BankWriter writer;
    if (!(in >> writer.pid) || writer.pid <= 0 || in.get() != ' ' ||
        !std::getline(in, writer.program) || writer.program.empty())
        return std::nullopt;
    return writer;
}

BankWriterLock::BankWriterLock(const DataDirectory &dataDirectory, std::chrono::milliseconds wait)
    : file(dataDirectory.locks() / NamedMutex::lockFileName(MutexName)),
      mutex(dataDirectory, std::string(MutexName)), waited(wait)
{
    outermost = !mutex.isHeld();
    locked = mutex.lockFor(wait);
    if (locked && outermost)
        recordHolder(file);
    if (!locked && mutex.lastError().empty())
        busyWith = readHolder(file);
}

BankWriterLock::~BankWriterLock()
{
    if (!locked)
        return;
    // A record left behind would name a writer that is gone.
    std::error_code ignored;
    if (outermost)
        std::filesystem::resize_file(file, 0, ignored);
    mutex.unlock();
}

std::string BankWriterLock::failure() const
{
    if (locked)
        return {};
    if (!mutex.lastError().empty())
        return mutex.lastError();
    const std::string writer =
        busyWith ? busyWith->program + " (pid " + std::to_string(busyWith->pid) + ")"
                 : "another process (" + file.string() + ")";
    const std::string wait = waited.count() % 1000 == 0
                                 ? std::to_string(waited.count() / 1000) + " s"
                                 : std::to_string(waited.count()) + " ms";
    return "the product bank is being changed by " + writer + ", still after " + wait +
           " of waiting";
}

} // namespace vorela
