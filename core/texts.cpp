#include "texts.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "factorization.h"
#include "text_conversions.h"

namespace apqr::texts {

std::string boardBuilt(int m, int quadraticResidues) {
    // The factors as the factorization box shows them, spoken as words.
    const std::vector<std::int64_t> factors = primeFactors(m);
    std::string factorsSpoken;
    if (factors.size() == 1) {
        factorsSpoken = "Primzahl";
    } else {
        for (std::size_t i = 0; i < factors.size(); ++i) {
            if (i > 0) factorsSpoken += " mal ";
            factorsSpoken += integerText(static_cast<double>(factors[i]));
        }
    }
    return "Tafel für m = " + integerText(m) + " (" + factorsSpoken +
           "): " + integerText(quadraticResidues) + " quadratische Reste.";
}

std::string progressionFound(int m, int d, int a) {
    std::string text = "Progression mit d = " + integerText(d) + " ab " + integerText(a) + ":";
    for (int k = 0; k <= 3; ++k) {
        text += k == 0 ? " " : ", ";
        text += integerText(progressionTerm(a, d, k, m));
    }
    return text + ".";
}

std::string progressionsMarked(double d, int count) {
    std::string text = "d = " + integerText(d) + ": ";
    if (count == 0) return text + "keine Progression.";
    return text + integerText(count) + (count == 1 ? " Progression" : " Progressionen") +
           " markiert.";
}

std::string scanEnded(ScanEnd end, int m) {
    switch (end) {
        case ScanEnd::OnlyTrivial:
            return "Suchlauf beendet: m = " + integerText(m) + " hat nur triviale Progressionen.";
        case ScanEnd::Stopped:
            return "Suchlauf angehalten bei m = " + integerText(m) + ".";
        case ScanEnd::EndOfRange:
            break;
    }
    return "Suchlauf am Ende des Bereichs: m = " + integerText(m) + ".";
}

std::string cellDescription(const Cell& cell) {
    const std::string_view meaning = meaningOf(cell.color);
    // An empty cell is spoken by its residue already.
    if (cell.text.empty()) return std::string(meaning);
    return "Rest " + integerText(cell.index) + ", " + std::string(meaning);
}

namespace {

// An argument as typed, in German quotes. Control characters become "?", so
// that an argument cannot move the cursor or recolour the user's terminal.
std::string quoted(std::string_view argument) {
    std::string text = "„";
    for (const char c : argument) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte < 0x20 || byte == 0x7f ? '?' : c;
    }
    return text + "“";
}

}  // namespace

std::string unknownOption(std::string_view option) {
    return "apqr: unbekannte Option " + quoted(option);
}

std::string optionWithoutValue(std::string_view option) {
    return "apqr: der Option " + quoted(option) + " fehlt ihr Wert";
}

std::string unexpectedArgument(std::string_view argument) {
    return "apqr: unerwartetes Argument " + quoted(argument) +
           "; m und d stellt man im Fenster ein";
}

}  // namespace apqr::texts
