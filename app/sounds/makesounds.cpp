// Writes the terminal's alert sounds, synthesised here, as PCM WAV files into a folder: makesounds DIR.
// Each is a short sequence of sine tones with soft edges.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 22050;

struct Tone
{
    double hz; // 0: silence
    double seconds;
};

struct Sound
{
    const char* file;
    std::vector<Tone> tones;
};

void put16(std::FILE* f, std::uint16_t v)
{
    const unsigned char b[2] = { static_cast<unsigned char>(v & 0xff), static_cast<unsigned char>(v >> 8) };
    std::fwrite(b, 1, 2, f);
}

void put32(std::FILE* f, std::uint32_t v)
{
    put16(f, static_cast<std::uint16_t>(v & 0xffff));
    put16(f, static_cast<std::uint16_t>(v >> 16));
}

std::vector<std::int16_t> synthesise(const std::vector<Tone>& tones)
{
    const double pi = std::acos(-1.0);
    std::vector<std::int16_t> samples;
    for (const Tone& tone : tones) {
        const int n = static_cast<int>(tone.seconds * Rate);
        const int edge = Rate / 200; // 5 ms fades: no clicks
        for (int i = 0; i < n; ++i) {
            double gain = tone.hz > 0 ? 0.45 : 0.0;
            if (i < edge)
                gain *= double(i) / edge;
            if (n - i < edge)
                gain *= double(n - i) / edge;
            gain *= 1.0 - 0.6 * double(i) / n; // a slight decay, as a bell's
            samples.push_back(static_cast<std::int16_t>(32767 * gain * std::sin(2 * pi * tone.hz * i / Rate)));
        }
    }
    return samples;
}

bool write(const std::string& path, const std::vector<std::int16_t>& samples)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const std::uint32_t bytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(f, 36 + bytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1); // PCM
    put16(f, 1); // mono
    put32(f, Rate);
    put32(f, Rate * 2);
    put16(f, 2);
    put16(f, 16);
    std::fwrite("data", 1, 4, f);
    put32(f, bytes);
    for (std::int16_t s : samples)
        put16(f, static_cast<std::uint16_t>(s));
    return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesounds DIR\n");
        return 2;
    }
    const Sound sounds[]
        = { { "bell.wav", { { 880, 0.35 } } }, { "chime.wav", { { 660, 0.12 }, { 0, 0.03 }, { 990, 0.22 } } },
              { "triple.wav", { { 1200, 0.07 }, { 0, 0.05 }, { 1200, 0.07 }, { 0, 0.05 }, { 1200, 0.07 } } } };
    for (const Sound& sound : sounds) {
        const std::string path = std::string(argv[1]) + "/" + sound.file;
        if (!write(path, synthesise(sound.tones))) {
            std::fprintf(stderr, "makesounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
