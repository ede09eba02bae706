// A save that kills itself: loads the officer file named on the command line, sets Wuli of
// slot 0, and saves, raising SIGKILL just before the n-th step of the save. Prints the number
// of steps it went through when the save ran to its end.
#include "codeconv/Jislib.h"
#include "officers/OfficerFile.h"
#include "officers/SafeFile.h"

#include <QString>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

long killAt = 0;
long steps = 0;

int KillAtStep(FileStep)
{
    if (++steps == killAt)
        std::raise(SIGKILL);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 || !LoadCodeTable()) {
        std::fprintf(stderr, "usage: %s FILE KILL_AT WULI\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    killAt = std::strtol(argv[2], nullptr, 10);
    OfficerTable table{};
    if (const std::optional<QString> error = ReadOfficerFile(path, table)) {
        std::fprintf(stderr, "%s\n", error->toLocal8Bit().constData());
        return 1;
    }
    table.Wuli[0] = static_cast<std::uint16_t>(std::strtol(argv[3], nullptr, 10));
    file_testing::SetStepHook(&KillAtStep);
    if (const std::optional<QString> error = WriteOfficerFile(path, table)) {
        std::fprintf(stderr, "%s\n", error->toLocal8Bit().constData());
        return 1;
    }
    std::printf("%ld\n", steps);
    return 0;
}
