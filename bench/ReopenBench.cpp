// bench/engine-open's helper: opens one song twice in one process, as the
// player's Stop does, and prints how long each open took:
//   cantorel-bench-reopen MEDIA   ->   first_open_us=<n> reopen_us=<n>
#include "engine/AudioEngineFactory.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>

using namespace cantorel::engine;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: cantorel-bench-reopen MEDIA\n");
        return 64;
    }
    const auto audio = createDevicelessEngine();
    AudioEngine& engine = *audio;
    Handle system = 0;
    if (engine.systemCreate(&system) != result::Ok || engine.systemInit(system, 32, 0) != result::Ok)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    auto timedOpen = [&]() -> long long {
        const auto start = std::chrono::steady_clock::now();
        Handle sound = 0;
        if (engine.systemCreateStream(system, path, mode::AccurateTime, &sound) != result::Ok)
            return -1;
        const auto took = std::chrono::steady_clock::now() - start;
        engine.soundRelease(sound);
        return std::chrono::duration_cast<std::chrono::microseconds>(took).count();
    };
    const long long first = timedOpen();
    const long long again = timedOpen();
    if (first < 0 || again < 0)
        return 2;
    std::printf("first_open_us=%lld reopen_us=%lld\n", first, again);
    return 0;
}
