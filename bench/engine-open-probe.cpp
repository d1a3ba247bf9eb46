// Opens one media file the way the player does (accurate-time mode, which
// scans it) and prints its exact length; the open benchmark times this.
#include "engine/SoundSource.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: engine-open-probe MEDIA\n");
        return 64;
    }
    std::shared_ptr<const cantorel::engine::SoundSource> source;
    const auto r = cantorel::engine::openSoundSource(QString::fromLocal8Bit(argv[1]),
                                                     cantorel::engine::mode::AccurateTime, &source);
    if (r != cantorel::engine::result::Ok) {
        std::fprintf(stderr, "open failed: %d\n", r);
        return 2;
    }
    std::printf("length_ms=%u\n", source->lengthMs);
    return 0;
}
