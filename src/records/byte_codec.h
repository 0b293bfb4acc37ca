#pragma once
// Little-endian fields and variable-length integers for the records and
// replay files. The reader never reads past its end: a short read sets it
// failed and returns zeros from then on.

#include <cstdint>
#include <cstring>
#include <string>

class ByteWriter {
public:
    void U8(uint8_t value) { bytes_ += static_cast<char>(value); }
    void U16(uint16_t value) { Fixed(value, 2); }
    void U32(uint32_t value) { Fixed(value, 4); }
    void U64(uint64_t value) { Fixed(value, 8); }
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void F32(float value) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        U32(bits);
    }
    void F64(double value) {
        uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        U64(bits);
    }
    void Varint(uint64_t value) {
        while (value >= 0x80) {
            U8(static_cast<uint8_t>(value | 0x80));
            value >>= 7;
        }
        U8(static_cast<uint8_t>(value));
    }
    void SignedVarint(int64_t value) {
        Varint((static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63));
    }
    void Raw(const void* data, size_t size) { bytes_.append(static_cast<const char*>(data), size); }
    void Text(const std::string& text) {
        Varint(text.size());
        bytes_ += text;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    void Fixed(uint64_t value, int size) {
        for (int i = 0; i < size; ++i)
            U8(static_cast<uint8_t>(value >> (8 * i)));
    }
    std::string bytes_;
};

class ByteReader {
public:
    ByteReader(const char* data, size_t size) : data_(data), size_(size) {}

    uint8_t U8() {
        if (position_ >= size_) {
            failed_ = true;
            return 0;
        }
        return static_cast<uint8_t>(data_[position_++]);
    }
    uint16_t U16() { return static_cast<uint16_t>(Fixed(2)); }
    uint32_t U32() { return static_cast<uint32_t>(Fixed(4)); }
    uint64_t U64() { return Fixed(8); }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    float F32() {
        const uint32_t bits = U32();
        float value = 0.0f;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    double F64() {
        const uint64_t bits = U64();
        double value = 0.0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    uint64_t Varint() {
        uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const uint8_t byte = U8();
            value |= static_cast<uint64_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                return value;
        }
        failed_ = true;  // longer than any 64-bit value
        return 0;
    }
    int64_t SignedVarint() {
        const uint64_t raw = Varint();
        return static_cast<int64_t>(raw >> 1) ^ -static_cast<int64_t>(raw & 1);
    }
    void Raw(void* out, size_t size) {
        if (size == 0)
            return;
        if (size > Remaining()) {
            failed_ = true;
            std::memset(out, 0, size);
            position_ = size_;
            return;
        }
        std::memcpy(out, data_ + position_, size);
        position_ += size;
    }
    std::string Text(size_t limit) {
        const uint64_t size = Varint();
        if (size > limit || size > Remaining()) {
            failed_ = true;
            return std::string();
        }
        std::string text(data_ + position_, static_cast<size_t>(size));
        position_ += static_cast<size_t>(size);
        return text;
    }
    size_t Remaining() const { return size_ - position_; }
    // The next byte without taking it; 0 at the end.
    uint8_t Peek() const { return position_ < size_ ? static_cast<uint8_t>(data_[position_]) : 0; }
    bool Failed() const { return failed_; }
    void Fail() { failed_ = true; }

private:
    uint64_t Fixed(int size) {
        uint64_t value = 0;
        for (int i = 0; i < size; ++i)
            value |= static_cast<uint64_t>(U8()) << (8 * i);
        return value;
    }
    const char* data_;
    size_t size_;
    size_t position_ = 0;
    bool failed_ = false;
};

// The files of records/: four magic bytes, a u16 format version, the body,
// and a SHA-256 of everything before it. `what` names the kind of file in
// problems ("replay", "records").
constexpr size_t kSealSize = 32;

// Writes the magic and version that open a sealed file.
void BeginSealed(ByteWriter& out, const char (&magic)[4], uint16_t version);
// The finished file: what was written, then its seal.
std::string Sealed(const ByteWriter& out);
// Checks the magic, the version (not 0, not newer than `newest`) and the
// seal. True with `body` reading the bytes between the version and the seal;
// false with `problem` saying what is wrong.
bool OpenSealed(const std::string& bytes, const char (&magic)[4], uint16_t newest, const char* what,
                ByteReader& body, std::string& problem);
