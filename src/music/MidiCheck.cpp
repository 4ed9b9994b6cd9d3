#include "music/MidiCheck.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace {
class TReader {
public:
    explicit TReader(std::string_view bytes) : Bytes(bytes) {}
    bool AtEnd() const { return Pos >= Bytes.size(); }
    size_t Left() const { return Bytes.size() - Pos; }
    bool Byte(uint8_t& value) {
        if (AtEnd()) return false;
        value = static_cast<uint8_t>(Bytes[Pos++]);
        return true;
    }
    bool BigEndian(int count, uint32_t& value) {
        value = 0;
        for (int i = 0; i < count; ++i) {
            uint8_t b = 0;
            if (!Byte(b)) return false;
            value = (value << 8) | b;
        }
        return true;
    }
    // A variable-length number: at most four bytes of seven bits.
    bool VarLen(uint32_t& value) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b = 0;
            if (!Byte(b)) return false;
            value = (value << 7) | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool Skip(uint32_t count) {
        if (count > Left()) return false;
        Pos += count;
        return true;
    }
    std::string_view Take(size_t count) {
        count = std::min(count, Left());
        std::string_view part = Bytes.substr(Pos, count);
        Pos += count;
        return part;
    }

private:
    std::string_view Bytes;
    size_t Pos = 0;
};

// One track's events; counts the notes it starts.
bool ReadTrack(std::string_view bytes, int& notes) {
    TReader track(bytes);
    uint8_t status = 0;
    while (!track.AtEnd()) {
        uint32_t delta = 0;
        uint8_t first = 0;
        if (!track.VarLen(delta) || !track.Byte(first)) return false;
        if (first == 0xFF) {
            uint8_t type = 0;
            uint32_t length = 0;
            if (!track.Byte(type) || !track.VarLen(length) || !track.Skip(length)) return false;
            if (type == 0x2F) return true;
            continue;
        }
        if (first == 0xF0 || first == 0xF7) {
            uint32_t length = 0;
            if (!track.VarLen(length) || !track.Skip(length)) return false;
            status = 0;
            continue;
        }
        uint8_t data1 = first;
        if (first & 0x80) {
            if (first >= 0xF0) return false;
            status = first;
            if (!track.Byte(data1)) return false;
        } else if (status == 0) {
            return false; // running status with nothing to run on
        }
        if (data1 & 0x80) return false;
        const uint8_t kind = status & 0xF0;
        if (kind != 0xC0 && kind != 0xD0) {
            uint8_t data2 = 0;
            if (!track.Byte(data2) || (data2 & 0x80)) return false;
            if (kind == 0x90 && data2 > 0) ++notes;
        }
    }
    // A track that stops without its end marker still plays.
    return true;
}
} // namespace

bool IsPlayableMidiData(std::string_view bytes) {
    TReader file(bytes);
    uint32_t length = 0, format = 0, tracks = 0, division = 0;
    if (file.Take(4) != "MThd" || !file.BigEndian(4, length) || length < 6) return false;
    if (!file.BigEndian(2, format) || !file.BigEndian(2, tracks) || !file.BigEndian(2, division))
        return false;
    if (format > 2 || tracks == 0 || division == 0 || !file.Skip(length - 6)) return false;
    int notes = 0;
    uint32_t read = 0;
    while (read < tracks && file.Left() >= 8) {
        const std::string_view id = file.Take(4);
        uint32_t size = 0;
        if (!file.BigEndian(4, size) || size > file.Left()) return false;
        const std::string_view body = file.Take(size);
        if (id != "MTrk") continue;
        if (!ReadTrack(body, notes)) return false;
        ++read;
    }
    return read > 0 && notes > 0;
}

bool IsPlayableMidi(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return IsPlayableMidiData(bytes);
}
