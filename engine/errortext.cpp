#include "engine/errortext.h"

#include <array>
#include <string_view>

namespace zv {

int16_t ErrorLanguage = kEnglish;

namespace {

constexpr int kSlotCount = 124;

// Slot n holds the English text of code n, slot 100 + n the Romanian one; empty slots have
// no text.
const std::array<std::string_view, kSlotCount> &Slots()
{
    static const std::array<std::string_view, kSlotCount> slots = [] {
        std::array<std::string_view, kSlotCount> s{};
        s[0] = "No error !";
        s[1] = "Power function is not defined for negative numbers.";
        s[2] = "Logarithm needs to have a positive argument.";
        s[3] = "Tangent is not defined for (2k+1)pi/2.";
        s[4] = "Square root needs to have a positive argument.";
        s[5] = "arcsin is defined only on [-1, 1].";
        s[6] = "arccos is defined only on [-1, 1].";
        s[7] = "Division by zero !";
        s[8] = "Overflow.";
        s[9] = "Error in evaluation !";
        s[11] = "Error in brackets matching.";
        s[12] = "An operand must be followed by an operator or by a bracket.";
        s[13] = "A function needs to be followed by a bracket. For example, sin(x).";
        s[14] = "Two operators can't stick together.";
        s[15] = "Invalid expression after bracket.";
        s[16] = "Expression contains unknown functions or operands.";
        s[17] = "Enter the expression first.";
        s[18] = "Error in evaluation !";
        s[19] = "An operator can't be followed by a closing bracket.";
        s[20] = "Enter a valid expression.";
        s[21] = "Expression can't start with a closing bracket.";
        s[22] = "Expression can't start with an operator.";
        s[23] = "Expression can't end in an operator.";

        s[100] = "Nici o eroare !";
        s[101] = "Functia putere se defineste pe nr. negative doar pentru exponenti intregi.";
        s[102] = "Logaritmul trebuie sa aiba ca argument un nr. strict pozitiv.";
        s[103] = "Tangenta nu este definita in punctele (2k+1)pi/2.";
        s[104] = "Radicalul trebuie sa aiba ca argument un  nr. strict pozitiv.";
        s[105] = "Functia arcsin este definita pe [-1, 1].";
        s[106] = "Functia arccos este definita pe [-1, 1].";
        s[107] = "Incercare de impartire la 0 !";
        s[108] = "Overflow / Rezultatul este un numar prea mare.";
        s[109] = "Eroare de evaluare !";
        s[111] = "Eroare in potrivirea parantezelor.";
        s[112] = "Dupa un operand trebuie sa urmeze un operator sau o paranteza.";
        s[113] = "O functie trebuie sa fie urmata de paranteza. De exemplu, sin(x).";
        s[114] = "Dupa un operator nu poate urma un alt operator.";
        s[115] = "Expresie invalida dupa paranteza inchisa.";
        s[116] = "Expresia contine functii sau alte elemente inexistente.";
        s[117] = "Trebuie sa introduceti mai intai valoarea.";
        s[118] = "Calculul nu a putut fi efectuat corect.";
        s[119] = "Dupa un operator nu poate urma o paranteza inchisa.";
        s[120] = "Scrieti o expresie valida.";
        s[121] = "Expresia nu poate incepe cu o paranteza inchisa.";
        s[122] = "Expresia nu poate incepe cu un operator.";
        s[123] = "Expresia nu se poate termina cu un operator.";
        return s;
    }();
    return slots;
}

} // namespace

std::string ErrorText(int16_t code)
{
    // The slot is formed in 16-bit arithmetic, as the table was laid out for it.
    const auto slot = static_cast<int16_t>(ErrorLanguage * 100 + code - 100);
    std::string_view text;
    if (slot >= 0 && slot < kSlotCount)
        text = Slots()[static_cast<size_t>(slot)];
    if (text.empty())
        text = "Unknown error.";
    return "Error #" + std::to_string(code) + " : " + std::string(text);
}

} // namespace zv
