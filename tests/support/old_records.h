#pragma once

// Stations in the two old binary file layouts, built field by field.

#include <cmath>
#include <cstdint>
#include <string>

// One record of an old station file, built field by field.
struct TOldRecord {
    std::string Name = "Wien";
    std::uint8_t NameLength = 0; // 0: the name's own length
    std::string Longitude = "16E";
    std::string Latitude = "48N";
    std::string Altitude = "171";
    std::string LongitudeMinutes = "22";
    std::string LatitudeMinutes = "12";
    double Temperatures[12] = {-1.5, 0.5, 5, 10, 15, 18, 20, 19.75, 15, 10, 4, 0};
    std::int16_t Precipitation[12] = {40, 45, 50, 55, 60, 65, 70, 65, 60, 55, 50, 45};

    std::string Bytes(bool secondGeneration) const {
        std::string bytes;
        ShortString(bytes, Name, 27, NameLength);
        ShortString(bytes, Longitude, 4);
        ShortString(bytes, Latitude, 4);
        ShortString(bytes, Altitude, 4);
        if (secondGeneration) {
            ShortString(bytes, LongitudeMinutes, 2);
            ShortString(bytes, LatitudeMinutes, 2);
        }
        for (const double t : Temperatures)
            bytes += RealImage(t);
        bytes.append(6, '\x55');
        for (const std::int16_t p : Precipitation) {
            bytes += static_cast<char>(p & 0xFF);
            bytes += static_cast<char>((p >> 8) & 0xFF);
        }
        bytes.append(2, '\x55');
        return bytes;
    }

private:
    static void ShortString(std::string& bytes, const std::string& text, std::size_t capacity,
                            std::uint8_t length = 0) {
        bytes += static_cast<char>(length ? length : text.size());
        std::string field = text.substr(0, capacity);
        field.resize(capacity, '\x20');
        bytes += field;
    }

    // The six-byte real of a value: biased exponent, 39 fraction bits, sign.
    static std::string RealImage(double value) {
        std::string image(6, '\0');
        if (value == 0)
            return image;
        int exponent = 0;
        const double mantissa = std::frexp(std::fabs(value), &exponent) * 2; // 1 <= m < 2
        auto fraction = static_cast<std::uint64_t>(std::llround(std::ldexp(mantissa - 1, 39)));
        image[0] = static_cast<char>(exponent - 1 + 129);
        for (int i = 1; i <= 5; ++i, fraction >>= 8)
            image[i] = static_cast<char>(fraction & 0xFF);
        if (value < 0)
            image[5] = static_cast<char>(image[5] | 0x80);
        return image;
    }
};
