// Build tool: renders the 32 x 32 icon at whole multiples of its size, each
// pixel becoming a square block, so that every size is the same picture.
//   icon-render source.xpm output-dir
// writes <size>.png for 32, 64, 128 and 256, and marrowvale.ico.
//
// Standard C++ only: a cross build runs it on the build machine, which has
// no image library for the target and need not have one of its own. The XPM
// is read as far as a hand-drawn icon uses it (hexadecimal colours under the
// "c" key); the PNGs hold the picture uncompressed, in stored deflate blocks.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr unsigned Side = 32;
constexpr unsigned MaxColours = 16;
constexpr std::array<unsigned, 4> Sizes{32, 64, 128, 256};

struct Rgb {
    std::uint8_t red, green, blue;
};

struct Picture {
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> pixels; // palette indices, row by row, Side x Side
};

class RenderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The quoted strings of the C array, in order, with comments skipped.
std::vector<std::string> quotedStrings(const std::string& source)
{
    std::vector<std::string> strings;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source.compare(i, 2, "/*") == 0) {
            const std::size_t end = source.find("*/", i + 2);
            if (end == std::string::npos)
                throw RenderError("a comment is not closed");
            i = end + 1;
        } else if (source[i] == '"') {
            std::string text;
            for (++i; i < source.size() && source[i] != '"'; ++i) {
                if (source[i] == '\\' || source[i] == '\n')
                    throw RenderError("escapes and line breaks are not allowed in a string");
                text += source[i];
            }
            if (i == source.size())
                throw RenderError("a string is not closed");
            strings.push_back(std::move(text));
        }
    }
    return strings;
}

std::vector<std::string> words(std::string_view line)
{
    std::vector<std::string> result;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            result.emplace_back(line.substr(start, i - start));
    }
    return result;
}

unsigned whole(const std::string& word, const char* what)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        throw RenderError(std::string(what) + " is not a whole number: \"" + word + "\"");
    return value;
}

// "#RGB", "#RRGGBB" or up to sixteen bits a channel; a one-digit channel
// stands for the digit repeated (F is FF), longer ones keep their top byte.
Rgb hexColour(const std::string& value)
{
    const std::size_t digits = value.size() - 1;
    if (value.empty() || value[0] != '#' || digits == 0 || digits % 3 != 0 || digits > 12)
        throw RenderError("colour \"" + value + "\" is not #RGB, #RRGGBB or longer hexadecimal"
                          + (value == "None" ? " (the icon is opaque)" : ""));
    const std::size_t width = digits / 3;
    std::array<std::uint8_t, 3> channels{};
    for (std::size_t c = 0; c < 3; ++c) {
        const char* first = value.data() + 1 + c * width;
        unsigned channel = 0;
        const auto [end, error] = std::from_chars(first, first + width, channel, 16);
        if (error != std::errc() || end != first + width)
            throw RenderError("colour \"" + value + "\" has a digit that is not hexadecimal");
        channels[c] = static_cast<std::uint8_t>(width == 1 ? channel * 0x11 : channel >> (4 * width - 8));
    }
    return {channels[0], channels[1], channels[2]};
}

Picture readXpm(const std::string& source)
{
    const std::vector<std::string> strings = quotedStrings(source);
    if (strings.empty())
        throw RenderError("no values line");
    const std::vector<std::string> values = words(strings[0]);
    if (values.size() < 4)
        throw RenderError("the values line needs width, height, colours and characters per pixel");
    const unsigned width = whole(values[0], "the width"), height = whole(values[1], "the height");
    const unsigned colours = whole(values[2], "the colour count"), perPixel = whole(values[3], "characters per pixel");
    if (width != Side || height != Side)
        throw RenderError("the picture is " + values[0] + " x " + values[1] + ", not 32 x 32");
    if (colours == 0 || colours > MaxColours)
        throw RenderError("the picture has " + values[2] + " colours; the Windows icon holds 1 to 16");
    if (perPixel == 0 || perPixel > 4)
        throw RenderError("characters per pixel must be 1 to 4, not " + values[3]);
    if (strings.size() < 1 + colours + height)
        throw RenderError("the file ends before its colours and rows do");

    Picture picture;
    std::map<std::string, std::uint8_t> indexOf;
    for (unsigned i = 0; i < colours; ++i) {
        const std::string& line = strings[1 + i];
        if (line.size() < perPixel)
            throw RenderError("colour line " + std::to_string(i + 1) + " is shorter than one pixel");
        const std::string key = line.substr(0, perPixel);
        const std::vector<std::string> parts = words(std::string_view(line).substr(perPixel));
        // Pairs of a context key (c, m, g4, g, s) and its value; only the colour one matters.
        std::string colour;
        for (std::size_t p = 0; p + 1 < parts.size(); p += 2)
            if (parts[p] == "c")
                colour = parts[p + 1];
        if (colour.empty())
            throw RenderError("colour line " + std::to_string(i + 1) + " has no \"c\" colour");
        if (!indexOf.emplace(key, static_cast<std::uint8_t>(i)).second)
            throw RenderError("the pixel \"" + key + "\" is defined twice");
        picture.palette.push_back(hexColour(colour));
    }
    for (unsigned y = 0; y < height; ++y) {
        const std::string& row = strings[1 + colours + y];
        if (row.size() != width * perPixel)
            throw RenderError("row " + std::to_string(y + 1) + " is " + std::to_string(row.size())
                              + " characters long, not " + std::to_string(width * perPixel));
        for (unsigned x = 0; x < width; ++x) {
            const auto found = indexOf.find(row.substr(x * perPixel, perPixel));
            if (found == indexOf.end())
                throw RenderError("row " + std::to_string(y + 1) + ", column " + std::to_string(x + 1)
                                  + " uses a pixel with no colour");
            picture.pixels.push_back(found->second);
        }
    }
    return picture;
}

using Bytes = std::vector<std::uint8_t>;

void putLittle16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void putLittle32(Bytes& out, std::uint32_t value)
{
    putLittle16(out, value & 0xFFFF);
    putLittle16(out, value >> 16);
}

void putBig32(Bytes& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const Bytes& data)
{
    constexpr std::uint32_t Modulus = 65521;
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % Modulus;
        b = (b + a) % Modulus;
    }
    return b << 16 | a;
}

void putChunk(Bytes& out, const char (&type)[5], const Bytes& data)
{
    putBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBig32(out, crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes storedZlib(const Bytes& data)
{
    constexpr std::size_t MaxBlock = 0xFFFF;
    Bytes out{0x78, 0x01}; // deflate, 32 KiB window, no dictionary; 0x7801 % 31 == 0
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(MaxBlock, data.size() - offset);
        const bool last = offset + length == data.size();
        out.push_back(last ? std::uint8_t{1} : std::uint8_t{0}); // final-block bit; block type 0, stored
        putLittle16(out, static_cast<std::uint32_t>(length));
        putLittle16(out, static_cast<std::uint32_t>(~length & 0xFFFF));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(offset),
                   data.begin() + static_cast<std::ptrdiff_t>(offset + length));
        offset += length;
    } while (offset < data.size());
    putBig32(out, adler32(data));
    return out;
}

// A 4-bit palette PNG, the picture scaled up by a whole factor.
Bytes png(const Picture& picture, unsigned scale)
{
    const unsigned size = Side * scale;
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    putBig32(header, size);
    putBig32(header, size);
    header.insert(header.end(), {4, 3, 0, 0, 0}); // bit depth, palette colour, deflate, no filter, no interlace
    putChunk(out, "IHDR", header);
    Bytes palette;
    for (const Rgb& colour : picture.palette)
        palette.insert(palette.end(), {colour.red, colour.green, colour.blue});
    putChunk(out, "PLTE", palette);
    Bytes rows;
    for (unsigned y = 0; y < size; ++y) {
        rows.push_back(0); // filter: none
        const std::uint8_t* source = picture.pixels.data() + (y / scale) * Side;
        for (unsigned x = 0; x < size; x += 2)
            rows.push_back(static_cast<std::uint8_t>(source[x / scale] << 4 | source[(x + 1) / scale]));
    }
    putChunk(out, "IDAT", storedZlib(rows));
    putChunk(out, "IEND", {});
    return out;
}

// A Windows icon holding the picture as it is drawn: 32 x 32 pixels of 4
// bits each over its 16-colour palette. Rows run bottom-up; the AND mask is
// all zero, as the picture is opaque.
Bytes sixteenColourIcon(const Picture& picture)
{
    constexpr unsigned ColourBytes = Side * Side / 2, MaskBytes = Side * Side / 8;
    constexpr unsigned ImageBytes = 40 + MaxColours * 4 + ColourBytes + MaskBytes;

    Bytes out;
    putLittle16(out, 0); putLittle16(out, 1); putLittle16(out, 1);                // icon directory: one image
    out.insert(out.end(), {Side, Side, MaxColours, 0});                            // width, height, colours, reserved
    putLittle16(out, 1); putLittle16(out, 4);                                      // planes, bits per pixel
    putLittle32(out, ImageBytes); putLittle32(out, 6 + 16);                        // size and offset of the image
    putLittle32(out, 40); putLittle32(out, Side); putLittle32(out, Side * 2);      // bitmap header; height counts the mask
    putLittle16(out, 1); putLittle16(out, 4);
    putLittle32(out, 0); putLittle32(out, ColourBytes + MaskBytes);
    putLittle32(out, 0); putLittle32(out, 0); putLittle32(out, MaxColours); putLittle32(out, 0);
    for (unsigned i = 0; i < MaxColours; ++i) {
        const Rgb colour = i < picture.palette.size() ? picture.palette[i] : Rgb{0, 0, 0};
        out.insert(out.end(), {colour.blue, colour.green, colour.red, 0});
    }
    for (unsigned y = Side; y-- > 0;)
        for (unsigned x = 0; x < Side; x += 2)
            out.push_back(static_cast<std::uint8_t>(picture.pixels[y * Side + x] << 4 | picture.pixels[y * Side + x + 1]));
    out.insert(out.end(), MaskBytes, 0);
    return out;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RenderError("cannot be opened");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw RenderError("cannot be read");
    return text.str();
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw RenderError("cannot write " + path.string());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: icon-render source.xpm output-dir\n");
        return 2;
    }
    const std::filesystem::path source(argv[1]), outputDir(argv[2]);
    Picture picture;
    try {
        picture = readXpm(readFile(source));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "icon-render: %s: %s\n", argv[1], error.what());
        return 1;
    }
    try {
        for (unsigned size : Sizes)
            writeFile(outputDir / (std::to_string(size) + ".png"), png(picture, size / Side));
        writeFile(outputDir / "marrowvale.ico", sixteenColourIcon(picture));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "icon-render: %s\n", error.what());
        return 1;
    }
    return 0;
}
