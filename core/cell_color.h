#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace apqr {

// The colour of a cell is its state: the rebuild writes it, the searches read
// it back. There is no second array behind the colours.
enum class CellColor : std::uint8_t {
    // Background of cells 0 and 1 before the first rebuild. It has no RGB of
    // its own and so compares unequal to the three real colours.
    Default,
    White,   // not a quadratic residue
    Yellow,  // quadratic residue
    Red,     // member of a marked progression
};

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// The drawn colour; nullopt for Default, which the toolkit draws as its
// ordinary text-box background.
constexpr std::optional<Rgb> rgbOf(CellColor color) {
    switch (color) {
        case CellColor::White:
            return Rgb{255, 255, 255};
        case CellColor::Yellow:
            return Rgb{255, 255, 0};
        case CellColor::Red:
            return Rgb{255, 0, 0};
        case CellColor::Default:
            break;
    }
    return std::nullopt;
}

// What a colour says about its cell, in German, for those who do not see it.
constexpr std::string_view meaningOf(CellColor color) {
    switch (color) {
        case CellColor::White:
            return "kein quadratischer Rest";
        case CellColor::Yellow:
            return "quadratischer Rest";
        case CellColor::Red:
            return "Glied einer Progression";
        case CellColor::Default:
            break;
    }
    return "nicht eingefärbt";
}

}  // namespace apqr
