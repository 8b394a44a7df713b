#include "text_conversions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace apqr {
namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text with every skipped character removed, as the reader sees it.
class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) { skip(); }

    [[nodiscard]] bool atEnd() const { return m_pos >= m_text.size(); }
    [[nodiscard]] char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void next() {
        ++m_pos;
        skip();
    }

private:
    void skip() {
        while (!atEnd() && isSkipped(m_text[m_pos])) ++m_pos;
    }
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// &H… or &O…: digits of the radix, read as a non-negative value.
double readRadix(Reader& reader, int radix) {
    double value = 0;
    for (;; reader.next()) {
        const char c = reader.peek();
        int digit = -1;
        if (isDigit(c)) {
            digit = c - '0';
        } else if (radix == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (radix == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0 || digit >= radix) return value;
        value = value * radix + digit;
    }
}

}  // namespace

double numericValue(std::string_view text) {
    Reader reader(text);

    if (reader.peek() == '&') {
        reader.next();
        const char prefix = reader.peek();
        if (prefix == 'H' || prefix == 'h') {
            reader.next();
            return readRadix(reader, 16);
        }
        if (prefix == 'O' || prefix == 'o') {
            reader.next();
            return readRadix(reader, 8);
        }
        return 0;
    }

    // Collect a normalised decimal literal for from_chars, which is exact and
    // ignores the C locale (a German locale would otherwise read "2,5").
    // Leading zeros are dropped and at most a bounded number of significant
    // digits is kept, so an absurdly long text cannot blow up the buffer; the
    // dropped digits only shift the decimal exponent.
    constexpr std::size_t kMaxDigits = 40;
    std::string literal;
    bool negative = false;
    if (reader.peek() == '+' || reader.peek() == '-') {
        negative = reader.peek() == '-';
        reader.next();
    }
    std::int64_t exponentShift = 0;  // decimal places the kept digits are off by
    bool anyDigit = false;
    bool seenPoint = false;
    for (;; reader.next()) {
        const char c = reader.peek();
        if (isDigit(c)) {
            anyDigit = true;
            if (literal.empty() && c == '0') {
                if (seenPoint) --exponentShift;
                continue;
            }
            if (literal.size() < kMaxDigits) {
                literal.push_back(c);
                if (seenPoint) --exponentShift;
            } else if (!seenPoint) {
                ++exponentShift;
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return 0;

    std::int64_t exponent = 0;
    const char e = reader.peek();
    if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        reader.next();
        bool negativeExponent = false;
        if (reader.peek() == '+' || reader.peek() == '-') {
            negativeExponent = reader.peek() == '-';
            reader.next();
        }
        // Saturate: anything this large is out of range either way.
        constexpr std::int64_t kSaturated = 1'000'000'000;
        for (; isDigit(reader.peek()); reader.next()) {
            exponent = std::min(kSaturated, exponent * 10 + (reader.peek() - '0'));
        }
        if (negativeExponent) exponent = -exponent;
    }

    if (literal.empty()) return negative ? -0.0 : 0.0;

    const std::int64_t totalExponent = exponent + exponentShift;
    // Decimal magnitude of the number: the kept digits read as d.ddd × 10^x.
    const std::int64_t magnitude = totalExponent + static_cast<std::int64_t>(literal.size()) - 1;
    double value = 0;
    if (magnitude > 400) {
        value = std::numeric_limits<double>::infinity();
    } else if (magnitude < -400) {
        value = 0;
    } else {
        literal += 'e';
        literal += std::to_string(totalExponent);
        const auto [ptr, ec] =
            std::from_chars(literal.data(), literal.data() + literal.size(), value);
        (void)ptr;
        if (ec == std::errc::result_out_of_range) {
            value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        }
    }
    return negative ? -value : value;
}

std::string integerText(double integral) {
    // Adding 0.0 turns -0 into +0, which must read "0".
    const double value = integral + 0.0;
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    std::array<char, 400> buffer{};
    const char* const first = buffer.data();
    char* const last = buffer.data() + buffer.size();
    // Whole numbers are written out in full; anything else is shown as it is
    // rather than silently rounded.
    const auto result = value == std::trunc(value)
                            ? std::to_chars(buffer.data(), last, value, std::chars_format::fixed, 0)
                            : std::to_chars(buffer.data(), last, value);
    return {first, static_cast<const char*>(result.ptr)};
}

std::string signedText(double integral) {
    std::string text = integerText(integral);
    if (text.front() != '-') text.insert(text.begin(), ' ');
    return text;
}

double roundHalfEven(double value) {
    // nearbyint rounds in the current mode, which is to-nearest-even unless
    // someone changed it; nothing in this program does.
    return std::nearbyint(value);
}

std::int16_t toInt16(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min()))
        return std::numeric_limits<std::int16_t>::min();
    if (rounded > std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(rounded);
}

}  // namespace apqr
